#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/browser/UrlMon.h"
#include "platform/browser/UserAgent.h"
#include "platform/clock/Clock.h"
#include "platform/com/ComObject.h"
#include "platform/files/FileSystem.h"
#include "platform/net/VirtualClockWake.h"
#include "tests/support/BackgroundCall.h"
#include "tests/support/ScriptedPeer.h"

namespace {

using test_support::ConnectionScript;
using test_support::ScriptedPeer;

const std::string kTarget = "C:\\Downloads\\setup.exe";

std::string Answer(std::string_view status, std::string_view body) {
  return "HTTP/1.1 " + std::string(status) + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\n\r\n" + std::string(body);
}

struct Progress {
  ULONG status;
  ULONG progress;
  ULONG progressMax;
  std::u16string text;

  bool operator==(const Progress&) const = default;
};

// Records every OnProgress; fails the first one at or past `failAtStatus`
// with `failAtProgress` bytes or more, as a caller bounding the download does.
class RecordingCallback final : public platform::ComObject<IBindStatusCallback> {
 public:
  std::vector<Progress> calls;
  std::optional<ULONG> failAtStatus;
  ULONG failAtProgress = 0;

  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG status,
                                       LPCWSTR text) override {
    calls.push_back({status, progress, progressMax, text});
    return failAtStatus && status == *failAtStatus && progress >= failAtProgress ? E_ABORT : S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
    return Unexpected();
  }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return Unexpected(); }

 private:
  static HRESULT Unexpected() {
    ADD_FAILURE() << "the download calls only OnProgress";
    return E_NOTIMPL;
  }
};

class UrlDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::MakeDirectories("C:\\Downloads")); }

  HRESULT Download(const std::string& url, IBindStatusCallback* callback = nullptr) {
    return URLDownloadToFileA(nullptr, url.c_str(), kTarget.c_str(), 0, callback);
  }

  // Everything in the download's directory: a failed download leaves no
  // partial file behind.
  std::vector<std::string> DirectoryNames() {
    std::vector<std::string> names;
    for (const auto& entry : platform::FindFiles("C:\\Downloads\\*")) {
      names.push_back(entry.fileName);
    }
    return names;
  }

  platform::ScopedFileSystemRoot files_;
};

TEST_F(UrlDownloadTest, SendsAPlainGetAndWritesTheBodyArrivingAByteAtATime) {
  const std::string body("MZ\x90\0\x03\0binary\r\n\xff", 15);
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send(Answer("200 OK", body), 1)});
  auto callback = platform::Make<RecordingCallback>();
  const std::string url = peer.Url("/download/setup.exe");

  ASSERT_EQ(Download(url, callback.Get()), S_OK);
  EXPECT_EQ(platform::ReadWholeFile(kTarget), body);
  EXPECT_EQ(DirectoryNames(), std::vector<std::string>{"setup.exe"});

  const auto record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  EXPECT_EQ(record.connections.at(0).requests.at(0),
            "GET /download/setup.exe HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(peer.Port()) +
                "\r\nUser-Agent: " + platform::UserAgent() + "\r\nAccept: */*\r\n\r\n");

  const std::u16string text(url.begin(), url.end());
  ASSERT_GE(callback->calls.size(), 3u);
  EXPECT_EQ(callback->calls.front(), (Progress{BINDSTATUS_BEGINDOWNLOADDATA, 0, 15, text}));
  EXPECT_EQ(callback->calls.back(), (Progress{BINDSTATUS_ENDDOWNLOADDATA, 15, 15, text}));
  ULONG last = 0;
  for (std::size_t i = 1; i + 1 < callback->calls.size(); ++i) {
    EXPECT_EQ(callback->calls[i].status, ULONG{BINDSTATUS_DOWNLOADINGDATA});
    EXPECT_GT(callback->calls[i].progress, last) << "each report after more bytes";
    last = callback->calls[i].progress;
  }
  EXPECT_EQ(last, 15u);
}

TEST_F(UrlDownloadTest, AnEmptyBodyMakesAnEmptyFileAndStillReportsBeginAndEnd) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send(Answer("200 OK", ""))});
  auto callback = platform::Make<RecordingCallback>();
  ASSERT_EQ(Download(peer.Url("/empty.exe"), callback.Get()), S_OK);
  EXPECT_EQ(platform::ReadWholeFile(kTarget), "");
  ASSERT_EQ(callback->calls.size(), 2u);
  EXPECT_EQ(callback->calls[0].status, ULONG{BINDSTATUS_BEGINDOWNLOADDATA});
  EXPECT_EQ(callback->calls[1].status, ULONG{BINDSTATUS_ENDDOWNLOADDATA});
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST_F(UrlDownloadTest, RedirectsAreFollowedToTheFile) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send(
                  "HTTP/1.1 302 Found\r\nLocation: /real.exe\r\nContent-Length: 5\r\n\r\nmoved"),
              ConnectionScript().ReadRequest().Send(Answer("200 OK", "real"))});
  ASSERT_EQ(Download(peer.Url("/old.exe")), S_OK);
  EXPECT_EQ(platform::ReadWholeFile(kTarget), "real");
  const auto record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  EXPECT_TRUE(record.connections.back().requests.at(0).starts_with("GET /real.exe HTTP/1.1\r\n"));
}

TEST_F(UrlDownloadTest, AFailureLeavesTheFileThatWasThereAndNoPartialFile) {
  struct Case {
    const char* name;
    std::string answer;
    HRESULT expected;
  };
  const std::vector<Case> cases = {
      {"not found", Answer("404 Not Found", "<html>gone</html>"), INET_E_DOWNLOAD_FAILURE},
      {"server error", Answer("500 Internal Server Error", "oops"), INET_E_DOWNLOAD_FAILURE},
      {"no content", "HTTP/1.1 204 No Content\r\n\r\n", S_OK},
      {"truncated", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhalf", INET_E_DOWNLOAD_FAILURE},
      {"not http", "SSH-2.0-OpenSSH_9.2\r\n", INET_E_DOWNLOAD_FAILURE},
      {"redirect to a file", "HTTP/1.1 302 Found\r\nLocation: file:///etc/passwd\r\n\r\n",
       INET_E_UNKNOWN_PROTOCOL},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ASSERT_TRUE(platform::WriteWholeFile(kTarget, "previous"));
    ScriptedPeer peer;
    peer.Serve({ConnectionScript().ReadRequest().Send(test.answer)});
    EXPECT_EQ(Download(peer.Url("/setup.exe")), test.expected);
    EXPECT_EQ(platform::ReadWholeFile(kTarget), test.expected == S_OK ? "" : "previous");
    EXPECT_EQ(DirectoryNames(), std::vector<std::string>{"setup.exe"});
    EXPECT_EQ(peer.Finish().problem, "");
  }
}

TEST_F(UrlDownloadTest, OnlyHttpAndHttpsAreFetched) {
  for (const char* url :
       {"ftp://127.0.0.1/setup.exe", "file:///C:/Downloads/other.exe", "C:\\Downloads\\other.exe",
        "gopher://127.0.0.1/", "httpx://127.0.0.1/", ""}) {
    SCOPED_TRACE(url);
    EXPECT_EQ(Download(url), INET_E_UNKNOWN_PROTOCOL);
  }
  EXPECT_FALSE(platform::PathExists(kTarget));
  EXPECT_TRUE(DirectoryNames().empty());
}

TEST_F(UrlDownloadTest, NobodyListeningAndBadArgumentsFailAtOnce) {
  const std::string refused =
      "http://127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort()) + "/setup.exe";
  EXPECT_EQ(Download(refused), INET_E_CANNOT_CONNECT);
  auto caller = platform::Make<RecordingCallback>();
  EXPECT_EQ(URLDownloadToFileA(caller.Get(), refused.c_str(), kTarget.c_str(), 0, nullptr),
            E_INVALIDARG);
  EXPECT_EQ(URLDownloadToFileA(nullptr, refused.c_str(), kTarget.c_str(), 1, nullptr),
            E_INVALIDARG);
  EXPECT_EQ(URLDownloadToFileA(nullptr, nullptr, kTarget.c_str(), 0, nullptr), E_INVALIDARG);
  EXPECT_EQ(URLDownloadToFileA(nullptr, refused.c_str(), nullptr, 0, nullptr), E_INVALIDARG);
  EXPECT_TRUE(caller->calls.empty());
  EXPECT_TRUE(DirectoryNames().empty());
}

TEST_F(UrlDownloadTest, AFileThatCannotBeWrittenFailsTheDownload) {
  for (const char* target : {"C:\\Missing\\setup.exe", "Q:\\setup.exe", "relative.exe"}) {
    SCOPED_TRACE(target);
    EXPECT_EQ(URLDownloadToFileA(nullptr, "http://127.0.0.1:9/setup.exe", target, 0, nullptr),
              INET_E_DOWNLOAD_FAILURE)
        << "refused before any connection";
  }
  ASSERT_TRUE(platform::MakeDirectory(kTarget));  // a directory where the file would go
  ScriptedPeer answering;
  answering.Serve({ConnectionScript().ReadRequest().Send(Answer("200 OK", "body"))});
  EXPECT_EQ(Download(answering.Url("/setup.exe")), INET_E_DOWNLOAD_FAILURE);
  EXPECT_TRUE(platform::IsDirectory(kTarget));
  EXPECT_EQ(DirectoryNames(), std::vector<std::string>{"setup.exe"});
  EXPECT_EQ(answering.Finish().problem, "");
}

TEST_F(UrlDownloadTest, TheCallbackEndsTheDownloadWhereverItRefuses) {
  struct Case {
    const char* name;
    ULONG status;
    ULONG progress;
    std::string answer;
  };
  const std::string chunked =
      "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nabcd\r\n4\r\nefgh\r\n0\r\n\r\n";
  const std::vector<Case> cases = {
      {"at the head", BINDSTATUS_BEGINDOWNLOADDATA, 0, Answer("200 OK", "abcdefgh")},
      {"inside the body", BINDSTATUS_DOWNLOADINGDATA, 5, chunked},
      {"at the end", BINDSTATUS_ENDDOWNLOADDATA, 0, Answer("200 OK", "abcdefgh")},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ScriptedPeer peer;
    peer.Serve({ConnectionScript().ReadRequest().Send(test.answer)});
    auto callback = platform::Make<RecordingCallback>();
    callback->failAtStatus = test.status;
    callback->failAtProgress = test.progress;
    EXPECT_EQ(Download(peer.Url("/setup.exe"), callback.Get()), E_ABORT);
    EXPECT_EQ(callback->calls.back().status, test.status) << "no report after the refusal";
    EXPECT_FALSE(platform::PathExists(kTarget));
    EXPECT_TRUE(DirectoryNames().empty());
    peer.Finish();
  }
}

TEST_F(UrlDownloadTest, ThePeerSilentForTheLimitOnTheProductsClockEndsIt) {
  platform::VirtualClock clock;
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().WaitForClientClose()});
  HRESULT result = S_OK;
  test_support::BackgroundCall call(clock, [&] { result = Download(peer.Url("/setup.exe")); });
  ASSERT_TRUE(peer.AwaitRequests(1));
  ASSERT_TRUE(platform::net::AwaitBlockedSocketWaits(1, test_support::kCallWait));
  clock.Advance(platform::kDownloadSilenceLimitMs - 1);
  ASSERT_TRUE(platform::net::AwaitBlockedSocketWaits(1, test_support::kCallWait))
      << "still waiting one millisecond short of the limit";
  clock.Advance(1);
  ASSERT_TRUE(call.Join());
  EXPECT_EQ(result, INET_E_CONNECTION_TIMEOUT);
  EXPECT_TRUE(DirectoryNames().empty());
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST_F(UrlDownloadTest, EveryByteStartsTheSilenceAgain) {
  platform::VirtualClock clock;
  constexpr std::chrono::milliseconds kGap{platform::kDownloadSilenceLimitMs - 1};
  ScriptedPeer peer;
  peer.Serve({ConnectionScript()
                  .ReadRequest()
                  .Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n")
                  .Pause(kGap)
                  .Send("a")
                  .Pause(kGap)
                  .Send("b")});
  HRESULT result = E_FAIL;
  test_support::BackgroundCall call(clock, [&] { result = Download(peer.Url("/setup.exe")); });
  for (std::size_t pause = 1; pause <= 2; ++pause) {
    ASSERT_TRUE(peer.AwaitPause(pause));
    ASSERT_TRUE(platform::net::AwaitBlockedSocketWaits(1, test_support::kCallWait));
    clock.Advance(kGap.count());
  }
  ASSERT_TRUE(call.Join());
  EXPECT_EQ(result, S_OK) << "never silent for the whole limit";
  EXPECT_EQ(platform::ReadWholeFile(kTarget), "ab");
  EXPECT_EQ(peer.Finish().problem, "");
}

}  // namespace
