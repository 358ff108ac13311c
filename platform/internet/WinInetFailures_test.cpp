// How a send fails: no listener, a silent peer, malformed or oversized
// answers.
#include <gtest/gtest.h>

#include <string>

#include "platform/internet/InternetTestSupport.h"
#include "platform/internet/WinInet.h"
#include "tests/support/ScriptedPeer.h"

namespace {

using platform::internet::testing::OpenRequest;
using platform::internet::testing::OpenRequestTo;
using platform::internet::testing::SetAllTimeouts;
using test_support::ConnectionScript;
using test_support::ScriptedPeer;

constexpr DWORD kShortTimeoutMs = 200;

// Header lines past any sensible head size, and no empty line after them.
std::string EndlessHeaders() {
  std::string lines;
  while (lines.size() < 1024 * 1024) lines += "X-Filler: " + std::string(100, 'x') + "\r\n";
  return lines;
}

TEST(HttpSendRequestA, FailsToConnectWhereNothingListens) {
  OpenRequest opened = OpenRequestTo("127.0.0.1", test_support::UnusedLoopbackPort(), "/");
  ASSERT_TRUE(opened.request) << GetLastError();

  EXPECT_FALSE(HttpSendRequestA(opened.request.get(), nullptr, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_CANNOT_CONNECT);
}

TEST(HttpSendRequestA, TimesOutOnAPeerThatNeverAnswers) {
  // Set on the session or on the connection, the time-outs reach the request.
  for (bool onSession : {true, false}) {
    SCOPED_TRACE(onSession ? "session" : "connection");
    ScriptedPeer peer;
    peer.Serve({ConnectionScript().ReadRequest().WaitForClientClose()});
    platform::InternetHandle session(
        InternetOpenA("agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    ASSERT_TRUE(session) << GetLastError();
    if (onSession) {
      ASSERT_TRUE(SetAllTimeouts(session.get(), kShortTimeoutMs)) << GetLastError();
    }
    platform::InternetHandle connection(InternetConnectA(
        session.get(), "127.0.0.1", peer.Port(), nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    ASSERT_TRUE(connection) << GetLastError();
    if (!onSession) {
      ASSERT_TRUE(SetAllTimeouts(connection.get(), kShortTimeoutMs)) << GetLastError();
    }
    platform::InternetHandle request(
        HttpOpenRequestA(connection.get(), "GET", "/", nullptr, nullptr, nullptr, 0, 0));
    ASSERT_TRUE(request) << GetLastError();

    EXPECT_FALSE(HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
    EXPECT_EQ(peer.Finish().problem, "");
  }
}

TEST(HttpSendRequestA, RefusesMalformedAnswers) {
  struct Case {
    const char* name;
    std::string answer;
    bool peerHoldsOn;  // after the answer, instead of closing
  };
  const Case cases[] = {
      {"closed without a word", "", false},
      {"no status line", "hello there\r\n\r\n", true},
      {"status not a number", "HTTP/1.1 abc OK\r\n\r\n", true},
      {"head cut short", "HTTP/1.1 200 OK\r\nContent-Le", false},
      // More head than any server sends, and the peer holds on after it.
      {"head without end", "HTTP/1.1 200 OK\r\n" + EndlessHeaders(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPeer peer;
    ConnectionScript script = ConnectionScript().ReadRequest().Send(c.answer);
    if (c.peerHoldsOn) script.WaitForClientClose();
    peer.Serve({script});
    OpenRequest opened = OpenRequestTo("127.0.0.1", peer.Port(), "/");
    ASSERT_TRUE(opened.request) << GetLastError();

    EXPECT_FALSE(HttpSendRequestA(opened.request.get(), nullptr, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), ERROR_HTTP_INVALID_SERVER_RESPONSE);
    EXPECT_EQ(peer.Finish().problem, "");
  }
}

}  // namespace
