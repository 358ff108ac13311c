// The bytes the stand-in puts on the wire, checked against a scripted peer.
#include "platform/internet/WinInet.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/internet/ConnectRedirect.h"
#include "platform/internet/InternetTestSupport.h"
#include "tests/support/ScriptedPeer.h"

namespace {

using platform::internet::ScopedConnectRedirect;
using platform::internet::testing::kFormContentType;
using platform::internet::testing::kTestAgent;
using platform::internet::testing::OpenRequest;
using platform::internet::testing::OpenRequestTo;
using test_support::ConnectionScript;
using test_support::ScriptedPeer;

constexpr char kOkHead[] = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
constexpr char kRedirectedName[] = "www.vimaru.test";

ConnectionScript AnswerOk() { return ConnectionScript().ReadRequest().Send(kOkHead); }

// Sends `opened` with the form content type and no body; the one request the
// peer read, or a failure.
std::string SendFormGet(OpenRequest& opened, ScriptedPeer& peer) {
  EXPECT_TRUE(opened.request) << GetLastError();
  EXPECT_TRUE(
      HttpSendRequestA(opened.request.get(), kFormContentType, static_cast<DWORD>(-1), nullptr, 0))
      << GetLastError();
  test_support::PeerRecord record = peer.Finish();
  EXPECT_EQ(record.problem, "");
  if (record.connections.size() != 1 || record.connections[0].requests.size() != 1) {
    return "no single request";
  }
  return record.connections[0].requests[0];
}

std::string PortOf(const ScriptedPeer& peer) { return std::to_string(peer.Port()); }

TEST(HttpSendRequestA, SendsAGetWithTheExtraHeaderByteForByte) {
  ScriptedPeer peer;
  // The answer arrives a byte at a time: the head ends only at its last byte.
  peer.Serve({ConnectionScript().ReadRequest().Send(kOkHead, 1)});
  OpenRequest opened =
      OpenRequestTo("127.0.0.1", peer.Port(), "/autologin.aspx?sso=abc&AutoLogin=1");

  EXPECT_EQ(SendFormGet(opened, peer),
            "GET /autologin.aspx?sso=abc&AutoLogin=1 HTTP/1.1\r\n"
            "Host: 127.0.0.1:" +
                PortOf(peer) +
                "\r\n"
                "User-Agent: " +
                std::string(kTestAgent) +
                "\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\n"
                "\r\n");
}

TEST(HttpSendRequestA, NamesNoPortInTheHostHeaderForTheDefaultPort) {
  for (INTERNET_PORT port : {INTERNET_DEFAULT_HTTP_PORT, INTERNET_INVALID_PORT_NUMBER}) {
    SCOPED_TRACE(port);
    ScriptedPeer peer;
    peer.Serve({AnswerOk()});
    ScopedConnectRedirect redirect(kRedirectedName, 80, peer.Address(), peer.Port());
    OpenRequest opened = OpenRequestTo(kRedirectedName, port, "/a");

    EXPECT_EQ(SendFormGet(opened, peer),
              "GET /a HTTP/1.1\r\n"
              "Host: www.vimaru.test\r\n"
              "User-Agent: " +
                  std::string(kTestAgent) +
                  "\r\n"
                  "Content-Type: application/x-www-form-urlencoded\r\n"
                  "\r\n");
  }
}

TEST(HttpSendRequestA, WritesTheObjectNameAsWinInetDoes) {
  struct Case {
    const char* objectName;
    const char* requestLine;
  };
  const Case cases[] = {
      {"autologin.aspx?sso=abc&AutoLogin=0", "GET /autologin.aspx?sso=abc&AutoLogin=0 HTTP/1.1"},
      {"/already/rooted", "GET /already/rooted HTTP/1.1"},
      {"", "GET / HTTP/1.1"},
      {nullptr, "GET / HTTP/1.1"},
      {"a b?c d", "GET /a%20b?c%20d HTTP/1.1"},
      {"caf\xC3\xA9", "GET /caf%C3%A9 HTTP/1.1"},
      {"kept%20as#given", "GET /kept%20as#given HTTP/1.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.requestLine);
    ScriptedPeer peer;
    peer.Serve({AnswerOk()});
    OpenRequest opened = OpenRequestTo("127.0.0.1", peer.Port(), c.objectName);

    const std::string request = SendFormGet(opened, peer);
    EXPECT_EQ(request.substr(0, request.find("\r\n")), c.requestLine);
  }
}

TEST(HttpSendRequestA, SendsTheCallersHeadersInTheirOrderAndTheBodyWithItsLength) {
  ScriptedPeer peer;
  peer.Serve({AnswerOk()});
  OpenRequest opened = OpenRequestTo("127.0.0.1", peer.Port(), "/form", "POST");
  ASSERT_TRUE(opened.request) << GetLastError();
  // An explicit length ends the headers before the text does.
  const std::string headers =
      "Content-Type: application/x-www-form-urlencoded\r\nX-Empty:\r\nX-Last: 1\r\n\r\nX-Cut: 1";
  char body[] = "a=1&b=2";

  ASSERT_TRUE(HttpSendRequestA(opened.request.get(), headers.data(),
                               static_cast<DWORD>(headers.find("\r\n\r\n")), body, 7))
      << GetLastError();
  test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  ASSERT_EQ(record.connections.size(), 1u);
  EXPECT_EQ(record.connections[0].requests.at(0),
            "POST /form HTTP/1.1\r\n"
            "Host: 127.0.0.1:" +
                PortOf(peer) +
                "\r\n"
                "User-Agent: " +
                std::string(kTestAgent) +
                "\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\n"
                "X-Empty:\r\n"
                "X-Last: 1\r\n"
                "Content-Length: 7\r\n"
                "\r\n"
                "a=1&b=2");
}

TEST(HttpSendRequestA, ReturnsAtTheEndOfTheHeadWithoutWaitingForTheBody) {
  ScriptedPeer peer;
  // The body never comes and the peer holds the connection open; the
  // default time-outs are a minute and more, so a client that waited for the
  // body would outlast the peer's guard and fail.
  peer.Serve({ConnectionScript()
                  .ReadRequest()
                  .Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart of the bo")
                  .WaitForClientClose()});
  OpenRequest opened = OpenRequestTo("127.0.0.1", peer.Port(), "/slow");
  ASSERT_TRUE(opened.request) << GetLastError();

  EXPECT_TRUE(HttpSendRequestA(opened.request.get(), nullptr, 0, nullptr, 0)) << GetLastError();
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(HttpSendRequestA, PassesOverAnInterimAnswer) {
  ScriptedPeer peer;
  // Stopping at the interim answer's empty line would return TRUE; the final
  // answer is malformed, so only a client that read on to it fails.
  peer.Serve({ConnectionScript().ReadRequest().Send(
      "HTTP/1.1 100 Continue\r\n\r\nnot a status line\r\n\r\n")});
  OpenRequest opened = OpenRequestTo("127.0.0.1", peer.Port(), "/");
  ASSERT_TRUE(opened.request) << GetLastError();

  EXPECT_FALSE(HttpSendRequestA(opened.request.get(), nullptr, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_HTTP_INVALID_SERVER_RESPONSE);
  EXPECT_EQ(peer.Finish().problem, "");
}

}  // namespace
