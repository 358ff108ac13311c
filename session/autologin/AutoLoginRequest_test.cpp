// The auto-login request against a scripted loopback peer that stands in
// for the web site (VIMARU_WEB_SITE points at it).
#include "session/autologin/AutoLoginRequest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/internet/ConnectRedirect.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Trace.h"
#include "soap/ServiceConfig.h"
#include "tests/support/ScriptedPeer.h"

namespace session {
namespace {

using test_support::ConnectionScript;
using test_support::PeerRecord;
using test_support::ScriptedPeer;

constexpr char kOkHead[] = "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n";
const std::vector<std::string> kSent = {"AutoLogin::Send begin", "AutoLogin::Send end"};

ConnectionScript AnswerOk() { return ConnectionScript().ReadRequest().Send(kOkHead); }

std::string ExpectedRequest(const std::string& objectName, const std::string& host) {
  return "GET /" + objectName + " HTTP/1.1\r\n" + "Host: " + host + "\r\n" +
         "User-Agent: VimaruIEToolbar\r\n"
         "Content-Type: application/x-www-form-urlencoded\r\n"
         "\r\n";
}

// The AutoLogin lines traced from any thread while the test runs.
class AutoLoginTrace {
 public:
  AutoLoginTrace()
      : capture_([this](std::string_view line) {
          if (line.starts_with("AutoLogin::")) {
            std::lock_guard lock(mutex_);
            lines_.emplace_back(line);
          }
        }) {}

  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> lines_;        // guarded by mutex_
  platform::ScopedTraceCapture capture_;  // last: it calls into the members above
};

class AutoLoginRequestTest : public ::testing::Test {
 protected:
  void TearDown() override {
    platform::WaitForWorkerThreads();
    if (saved_) {
      setenv(soap::kWebSiteVariable, saved_->c_str(), 1);
    } else {
      unsetenv(soap::kWebSiteVariable);
    }
  }

  // Never left unset: the built-in web site is a real host.
  void PointWebSiteAt(const std::string& url) {
    ASSERT_EQ(setenv(soap::kWebSiteVariable, url.c_str(), 1), 0);
  }

  // The single request the peer read, or what went wrong instead.
  static std::string OnlyRequest(ScriptedPeer& peer) {
    PeerRecord record = peer.Finish();
    if (!record.problem.empty()) return "peer: " + record.problem;
    if (record.connections.size() != 1 || record.connections[0].requests.size() != 1) {
      return "not exactly one request";
    }
    return record.connections[0].requests[0];
  }

  AutoLoginTrace trace_;

 private:
  std::optional<std::string> saved_ = [] {
    const char* value = std::getenv(soap::kWebSiteVariable);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
  }();
};

TEST_F(AutoLoginRequestTest, SendsTheRequestByteForByteWithTheSwitchOnAndOff) {
  for (bool autoLogin : {true, false}) {
    SCOPED_TRACE(autoLogin);
    ScriptedPeer peer;
    peer.Serve({AnswerOk()});
    PointWebSiteAt(peer.Url("/"));

    SendAutoLoginRequest("SSO-ALICE+/7d1e2f==", autoLogin);
    platform::WaitForWorkerThreads();

    EXPECT_EQ(OnlyRequest(peer),
              ExpectedRequest(std::string("autologin.aspx?sso=SSO-ALICE+/7d1e2f==&AutoLogin=") +
                                  (autoLogin ? "1" : "0"),
                              "127.0.0.1:" + std::to_string(peer.Port())));
  }
  EXPECT_EQ(trace_.Lines(), std::vector<std::string>({kSent[0], kSent[1], kSent[0], kSent[1]}));
}

TEST_F(AutoLoginRequestTest, LeavesThePortToTheDefaultWhenTheWebSiteNamesNone) {
  ScriptedPeer peer;
  peer.Serve({AnswerOk()});
  platform::internet::ScopedConnectRedirect redirect("www.vimaru.test", 80, peer.Address(),
                                                     peer.Port());
  PointWebSiteAt("http://www.vimaru.test/");

  SendAutoLoginRequest("token", true);
  platform::WaitForWorkerThreads();

  EXPECT_EQ(OnlyRequest(peer),
            ExpectedRequest("autologin.aspx?sso=token&AutoLogin=1", "www.vimaru.test"));
  EXPECT_EQ(trace_.Lines(), kSent);
}

TEST_F(AutoLoginRequestTest, SendsAHostileTokenPercentEncodedSoItAddsNoHeaderOrParameter) {
  ScriptedPeer peer;
  peer.Serve({AnswerOk()});
  PointWebSiteAt(peer.Url("/"));

  SendAutoLoginRequest("a b\r\nX-Injected: 1\r\n\r\n&AutoLogin=1#top\xC3\xA9%41", false);
  platform::WaitForWorkerThreads();

  EXPECT_EQ(OnlyRequest(peer),
            ExpectedRequest("autologin.aspx?sso=a%20b%0D%0AX-Injected:%201%0D%0A%0D%0A%26AutoLogin="
                            "1%23top%C3%A9%2541&AutoLogin=0",
                            "127.0.0.1:" + std::to_string(peer.Port())));
  EXPECT_EQ(trace_.Lines(), kSent);
}

TEST_F(AutoLoginRequestTest, ReturnsToTheCallerBeforeTheSiteHasReadTheRequest) {
  // Listening, but not reading or answering until the call has returned: a
  // call that waited for the answer would wait out its time-outs here, and
  // the worker's send would then have failed.
  ScriptedPeer peer;
  PointWebSiteAt(peer.Url("/"));

  SendAutoLoginRequest("token", true);
  peer.Serve({AnswerOk()});
  platform::WaitForWorkerThreads();

  PeerRecord record = peer.Finish();
  EXPECT_EQ(record.problem, "");
  ASSERT_EQ(record.connections.size(), 1u);
  EXPECT_FALSE(record.connections[0].clientClosedEarly);
  EXPECT_EQ(trace_.Lines(), kSent);
}

TEST_F(AutoLoginRequestTest, SendsNothingForAMalformedWebSiteOrAnOverlongToken) {
  ScriptedPeer peer;
  // One connection only: whatever connected first would take it.
  peer.Serve({AnswerOk()});
  const std::string port = std::to_string(peer.Port());
  for (const std::string& site :
       {"ftp://127.0.0.1:" + port + "/", "https://127.0.0.1:" + port + "/",
        "http://127.0.0.1:" + port + "x/", "http://:" + port + "/",
        "http://127.0.0.1:" + port + "\r\n/", "http://127.0.0.1:0" + port + "0/"}) {
    SCOPED_TRACE(site);
    PointWebSiteAt(site);
    SendAutoLoginRequest("token", true);
  }
  PointWebSiteAt(peer.Url("/"));
  SendAutoLoginRequest(std::string(3000, 'x'), true);
  platform::WaitForWorkerThreads();

  SendAutoLoginRequest("after", true);
  platform::WaitForWorkerThreads();
  EXPECT_EQ(OnlyRequest(peer),
            ExpectedRequest("autologin.aspx?sso=after&AutoLogin=1", "127.0.0.1:" + port));
  std::vector<std::string> expected(6, "AutoLogin::Send malformed web site");
  expected.insert(expected.end(), {"AutoLogin::Send token too long", kSent[0], kSent[1]});
  EXPECT_EQ(trace_.Lines(), expected);
}

TEST_F(AutoLoginRequestTest, TracesAFailedSendAndEndsTheWorker) {
  PointWebSiteAt("http://127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort()) + "/");

  SendAutoLoginRequest("token", true);
  platform::WaitForWorkerThreads();

  EXPECT_EQ(trace_.Lines(),
            std::vector<std::string>({"AutoLogin::Send begin",
                                      "AutoLogin::Send HttpSendRequestA failed 12029",
                                      "AutoLogin::Send end"}));
}

}  // namespace
}  // namespace session
