#include "soap/http/CAtlHttpClientT.h"

#include <gtest/gtest.h>

#include "platform/clock/Clock.h"
#include "platform/net/VirtualClockWake.h"
#include "soap/http/CReadStreamOnSocket.h"
#include "tests/support/BackgroundCall.h"
#include "tests/support/ScriptedPeer.h"

namespace soap {
namespace {

using platform::VirtualClock;
using platform::net::AwaitBlockedSocketWaits;
using std::chrono::milliseconds;
using test_support::BackgroundCall;
using test_support::ConnectionScript;
using test_support::kCallWait;
using test_support::ScriptedPeer;

constexpr std::string_view kSoapHeaders =
    "SOAPAction: \"http://tempuri.org/GetCategoryList\"\r\nAccept: text/xml\r\n";

HttpRequest SoapPost(std::string_view body) {
  return HttpRequest{"POST", "text/xml; charset=utf-8", kSoapHeaders, body};
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at; (at = text.find(from)) != std::string::npos;)
    text.replace(at, from.size(), to);
  return text;
}

struct BodyResult {
  std::string body;
  std::ptrdiff_t last = 0;
};

BodyResult ReadWholeBody(CAtlHttpClient& client) {
  BodyResult result;
  char buffer[kHttpBlockSize];
  for (;;) {
    std::ptrdiff_t read = client.ReadBody(buffer);
    if (read <= 0) {
      result.last = read;
      return result;
    }
    result.body.append(buffer, static_cast<std::size_t>(read));
  }
}

UrlParts Url(const ScriptedPeer& peer, std::string_view pathAndQuery) {
  return *SplitUrl(peer.Url(pathAndQuery));
}

TEST(CAtlHttpClient, SendsTheRequestByteForByteAndStreamsTheBody) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send(
      "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 11\r\n\r\n<ok>yes</ok>", 1)});

  CAtlHttpClient client;
  ASSERT_TRUE(client.Navigate(Url(peer, "/utils/utils.asmx?x=1"), SoapPost("<soap:Envelope/>")));
  EXPECT_EQ(client.GetStatus(), 200);
  EXPECT_EQ(client.GetHeaderValue("content-type"), "text/xml");
  BodyResult result = ReadWholeBody(client);
  EXPECT_EQ(result.body, "<ok>yes</ok");
  EXPECT_EQ(result.last, 0);

  test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  ASSERT_EQ(record.connections.size(), 1u);
  const std::string expected = Replace(
      "POST /utils/utils.asmx?x=1 HTTP/1.1\r\n"
      "Content-Length: 16\r\n"
      "Content-Type: text/xml; charset=utf-8\r\n"
      "SOAPAction: \"http://tempuri.org/GetCategoryList\"\r\n"
      "Accept: text/xml\r\n"
      "Host: 127.0.0.1:PORT\r\n"
      "User-Agent: Microsoft-ATL-Native/8.00\r\n"
      "\r\n"
      "<soap:Envelope/>",
      "PORT", std::to_string(peer.Port()));
  EXPECT_EQ(record.connections[0].requests, std::vector<std::string>{expected});
}

TEST(CAtlHttpClient, EmptyBodySendsNoContentLength) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send(
      "HTTP/1.1 202 Accepted\r\nContent-Length: 0\r\n\r\n")});
  CAtlHttpClient client;
  ASSERT_TRUE(client.Navigate(Url(peer, "/p"), SoapPost("")));
  EXPECT_EQ(client.GetStatus(), 202);
  EXPECT_EQ(ReadWholeBody(client).last, 0);
  test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.connections.size(), 1u);
  EXPECT_EQ(record.connections[0].requests.at(0),
            Replace("POST /p HTTP/1.1\r\nContent-Type: text/xml; charset=utf-8\r\n"
                    "SOAPAction: \"http://tempuri.org/GetCategoryList\"\r\nAccept: text/xml\r\n"
                    "Host: 127.0.0.1:PORT\r\nUser-Agent: Microsoft-ATL-Native/8.00\r\n\r\n",
                    "PORT", std::to_string(peer.Port())));
}

TEST(CAtlHttpClient, LargeRequestAndResponseCrossBlockBoundaries) {
  std::string requestBody(3 * kHttpBlockSize + 17, 'r');
  std::string responseBody(2 * kHttpBlockSize + 5, 's');
  std::string response =
      "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(responseBody.size()) + "\r\n\r\n" +
      responseBody;
  ScriptedPeer peer;
  // Split one byte before and one after the first block boundary.
  peer.Serve({ConnectionScript().ReadRequest().SendPieces({response.substr(0, kHttpBlockSize - 1),
                                                           response.substr(kHttpBlockSize - 1, 2),
                                                           response.substr(kHttpBlockSize + 1)})});
  CAtlHttpClient client;
  ASSERT_TRUE(client.Navigate(Url(peer, "/"), SoapPost(requestBody)));
  EXPECT_EQ(ReadWholeBody(client).body, responseBody);
  test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.connections.size(), 1u);
  const std::string& request = record.connections[0].requests.at(0);
  EXPECT_EQ(request.substr(request.size() - requestBody.size()), requestBody);
}

TEST(CAtlHttpClient, ChunkedAnswerReadsLikeContentLength) {
  const std::string body = "<soap:Envelope>" + std::string(5000, 'b') + "</soap:Envelope>";
  auto chunkedOf = [](const std::string& text) {
    std::string encoded = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nTrailer: X-T\r\n\r\n";
    for (std::size_t at = 0; at < text.size(); at += 1000) {
      std::string piece = text.substr(at, 1000);
      char size[16];
      std::snprintf(size, sizeof size, "%zx", piece.size());
      encoded += std::string(size) + ";ext=1\r\n" + piece + "\r\n";
    }
    return encoded + "0\r\nX-T: done\r\n\r\n";
  };
  const std::string responses[] = {
      "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body,
      chunkedOf(body),
  };
  for (const std::string& response : responses) {
    ScriptedPeer peer;
    peer.Serve({ConnectionScript().ReadRequest().Send(response, 7)});
    CAtlHttpClient client;
    ASSERT_TRUE(client.Navigate(Url(peer, "/"), SoapPost("x")));
    BodyResult result = ReadWholeBody(client);
    EXPECT_EQ(result.last, 0);
    EXPECT_EQ(result.body, body);
    EXPECT_EQ(peer.Finish().problem, "");
  }
}

TEST(CAtlHttpClient, SkipsContinueAnswers) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send(
      "HTTP/1.1 100 Continue\r\nX-A: 1\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", 3)});
  CAtlHttpClient client;
  ASSERT_TRUE(client.Navigate(Url(peer, "/"), SoapPost("x")));
  EXPECT_EQ(client.GetStatus(), 200);
  EXPECT_FALSE(client.GetHeaderValue("X-A"));
  EXPECT_EQ(ReadWholeBody(client).body, "ok");
}

struct StatusCase {
  int status;
  bool succeeds;
};

TEST(CAtlHttpClient, EvaluatesStatusAndKeepsFailedBodiesReadable) {
  const StatusCase cases[] = {{200, true},  {201, true},  {206, true},  {304, true},  {305, true},
                              {307, false}, {401, false}, {404, false}, {407, false}, {500, false}};
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(c.status);
    std::string body = c.status == 304 ? "" : "<fault/>";
    ScriptedPeer peer;
    peer.Serve({ConnectionScript().ReadRequest().Send(
        "HTTP/1.1 " + std::to_string(c.status) +
        " Status\r\nLocation: /elsewhere\r\nContent-Length: " + std::to_string(body.size()) +
        "\r\n\r\n" + body)});
    CAtlHttpClient client;
    EXPECT_EQ(client.Navigate(Url(peer, "/"), SoapPost("x")), c.succeeds);
    EXPECT_EQ(client.GetStatus(), c.status);
    EXPECT_EQ(client.GetFailure(), c.succeeds ? HttpFailure::kNone : HttpFailure::kStatus);
    EXPECT_EQ(client.DescribeFailure(), c.succeeds ? ""
                                                   : "127.0.0.1:" + std::to_string(peer.Port()) +
                                                         " answered HTTP status " +
                                                         std::to_string(c.status));
    CReadStreamOnSocket stream;
    ASSERT_TRUE(stream.Init(&client));
    std::string read;
    char buffer[3];
    std::ptrdiff_t size;
    while ((size = stream.Read(buffer)) > 0) read.append(buffer, static_cast<std::size_t>(size));
    EXPECT_EQ(size, 0);
    EXPECT_EQ(read, body);
    test_support::PeerRecord record = peer.Finish();
    ASSERT_EQ(record.connections.size(), 1u) << "307 and the rest are not followed";
    EXPECT_EQ(record.connections[0].requests.size(), 1u);
  }
}

TEST(CAtlHttpClient, FollowsRedirectsOnTheSameConnectionWithTheSameBody) {
  for (int status : {301, 302, 303}) {
    SCOPED_TRACE(status);
    ScriptedPeer peer;
    peer.Serve(
        {ConnectionScript()
             .ReadRequest()
             .Send("HTTP/1.1 " + std::to_string(status) +
                   " Moved\r\nLocation: /moved/here?q=1\r\nContent-Length: 9\r\n\r\nredirect!")
             .ReadRequest()
             .Send("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\ndone")});
    CAtlHttpClient client;
    ASSERT_TRUE(client.Navigate(Url(peer, "/start"), SoapPost("<body/>")));
    EXPECT_EQ(client.GetStatus(), 200);
    EXPECT_EQ(client.GetCurrentUrl().PathAndQuery(), "/moved/here?q=1");
    EXPECT_EQ(ReadWholeBody(client).body, "done");
    test_support::PeerRecord record = peer.Finish();
    ASSERT_EQ(record.problem, "");
    ASSERT_EQ(record.connections.size(), 1u);
    ASSERT_EQ(record.connections[0].requests.size(), 2u);
    EXPECT_EQ(record.connections[0].requests[1],
              Replace(record.connections[0].requests[0], "POST /start HTTP/1.1",
                      "POST /moved/here?q=1 HTTP/1.1"));
  }
}

TEST(CAtlHttpClient, RedirectToAnotherHostClosesTheFirstConnection) {
  ScriptedPeer other("127.0.0.2");
  other.Serve(
      {ConnectionScript().ReadRequest().Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok")});
  ScriptedPeer first;
  first.Serve({ConnectionScript()
                   .ReadRequest()
                   .Send("HTTP/1.1 302 Found\r\nLocation: " + other.Url("/new.asmx") +
                         "\r\nContent-Length: 0\r\n\r\n")
                   .WaitForClientClose()});

  CAtlHttpClient client;
  ASSERT_TRUE(client.Navigate(Url(first, "/old.asmx"), SoapPost("<same/>")));
  EXPECT_EQ(ReadWholeBody(client).body, "ok");

  test_support::PeerRecord firstRecord = first.Finish();
  test_support::PeerRecord otherRecord = other.Finish();
  ASSERT_EQ(firstRecord.problem, "") << "the first connection must be closed by the client";
  ASSERT_EQ(otherRecord.connections.size(), 1u);
  EXPECT_EQ(otherRecord.connections[0].requests.at(0),
            Replace(Replace(firstRecord.connections[0].requests.at(0), "/old.asmx", "/new.asmx"),
                    "Host: 127.0.0.1:" + std::to_string(first.Port()),
                    "Host: 127.0.0.2:" + std::to_string(other.Port())));
}

TEST(CAtlHttpClient, RedirectThatClosesReconnectsToTheSameHost) {
  ScriptedPeer peer;
  peer.Serve(
      {ConnectionScript().ReadRequest().Send(
           "HTTP/1.1 301 Moved\r\nConnection: close\r\nLocation: /b\r\nContent-Length: 0\r\n\r\n"),
       ConnectionScript().ReadRequest().Send("HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n1")});
  CAtlHttpClient client;
  ASSERT_TRUE(client.Navigate(Url(peer, "/a"), SoapPost("x")));
  EXPECT_EQ(ReadWholeBody(client).body, "1");
  test_support::PeerRecord record = peer.Finish();
  EXPECT_EQ(record.problem, "");
  EXPECT_EQ(record.connections.size(), 2u);
}

TEST(CAtlHttpClient, RedirectLoopEndsAsFailedExchange) {
  ConnectionScript loop;
  for (int i = 0; i <= kMaxRedirects; ++i) {
    loop.ReadRequest().Send("HTTP/1.1 302 Found\r\nLocation: /loop\r\nContent-Length: 0\r\n\r\n");
  }
  ScriptedPeer peer;
  peer.Serve({loop});
  CAtlHttpClient client;
  EXPECT_FALSE(client.Navigate(Url(peer, "/loop"), SoapPost("x")));
  EXPECT_EQ(client.GetFailure(), HttpFailure::kTooManyRedirects);
  EXPECT_EQ(client.GetStatus(), 302);
  EXPECT_EQ(client.DescribeFailure(),
            "more than 5 redirects in a row, the last from " + peer.Url("/loop"));
  client.ResetConnection();
  test_support::PeerRecord record = peer.Finish();
  EXPECT_EQ(record.problem, "");
  EXPECT_EQ(record.connections.at(0).requests.size(), static_cast<std::size_t>(kMaxRedirects + 1));
}

TEST(CAtlHttpClient, RedirectWithoutUsableLocationFails) {
  for (std::string location : {"", "Location: https://secure.example/\r\n", "Location: \r\n"}) {
    ScriptedPeer peer;
    peer.Serve({ConnectionScript().ReadRequest().Send("HTTP/1.1 301 Moved\r\n" + location +
                                                      "Content-Length: 0\r\n\r\n")});
    CAtlHttpClient client;
    EXPECT_FALSE(client.Navigate(Url(peer, "/"), SoapPost("x")));
    EXPECT_EQ(client.GetFailure(), HttpFailure::kBadRedirect) << location;
  }
}

TEST(CAtlHttpClient, PrematureCloseFailsTheBody) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send(
      "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort")});
  CAtlHttpClient client;
  ASSERT_TRUE(client.Navigate(Url(peer, "/"), SoapPost("x")));
  BodyResult result = ReadWholeBody(client);
  EXPECT_LT(result.last, 0);
  EXPECT_EQ(result.body, "short");
  EXPECT_EQ(client.GetFailure(), HttpFailure::kPrematureClose);
}

TEST(CAtlHttpClient, ConnectionCloseClosesTheSocketAfterTheBody) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript()
                  .ReadRequest()
                  .Send("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 1\r\n\r\n1")
                  .WaitForClientClose()});
  CAtlHttpClient client;
  ASSERT_TRUE(client.Navigate(Url(peer, "/"), SoapPost("x")));
  EXPECT_TRUE(client.GetSocket().IsOpen());
  EXPECT_EQ(ReadWholeBody(client).last, 0);
  EXPECT_FALSE(client.GetSocket().IsOpen());
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(CAtlHttpClient, SilentPeerTimesOutAfterTheSocketTimeout) {
  VirtualClock clock;
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().WaitForClientClose()});
  CAtlHttpClient client;
  client.SetSocketTimeout(milliseconds(150));
  bool navigated = true;
  {
    BackgroundCall call(clock, [&] { navigated = client.Navigate(Url(peer, "/"), SoapPost("x")); });
    // Once the request is in, the only wait left is the one for the answer.
    ASSERT_TRUE(peer.AwaitRequests(1));
    ASSERT_TRUE(AwaitBlockedSocketWaits(1, kCallWait));
    clock.Advance(149);
    ASSERT_TRUE(AwaitBlockedSocketWaits(1, kCallWait)) << "still waiting short of the time-out";
    clock.Advance(1);
    ASSERT_TRUE(call.Join());
  }
  EXPECT_FALSE(navigated);
  EXPECT_EQ(client.GetFailure(), HttpFailure::kReceiveTimedOut);
  EXPECT_EQ(client.DescribeFailure(), "127.0.0.1:" + std::to_string(peer.Port()) +
                                          " sent nothing within the socket time-out of 150 ms");
  EXPECT_EQ(client.GetStatus(), kInvalidStatus);
  CReadStreamOnSocket stream;
  EXPECT_FALSE(stream.Init(&client)) << "no head, no body to read";
  client.ResetConnection();
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(CAtlHttpClient, SilentPeerOnTheHostClockStillTimesOut) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().WaitForClientClose()});
  CAtlHttpClient client;
  client.SetSocketTimeout(milliseconds(10));
  EXPECT_FALSE(client.Navigate(Url(peer, "/"), SoapPost("x")));
  EXPECT_EQ(client.GetFailure(), HttpFailure::kReceiveTimedOut);
  EXPECT_EQ(client.GetStatus(), kInvalidStatus);
  client.ResetConnection();
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(CAtlHttpClient, StallInTheBodyTimesOut) {
  VirtualClock clock;
  ScriptedPeer peer;
  peer.Serve({ConnectionScript()
                  .ReadRequest()
                  .Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc")
                  .WaitForClientClose()});
  CAtlHttpClient client;
  client.SetSocketTimeout(milliseconds(150));
  ASSERT_TRUE(client.Navigate(Url(peer, "/"), SoapPost("x")));
  // The three bytes sent are read without time moving, so the wait that
  // follows is the one on the stalled peer, and the advance ends that one.
  BodyResult result;
  char buffer[kHttpBlockSize];
  for (int reads = 0; reads < 3 && result.body.size() < 3; ++reads) {
    std::ptrdiff_t read = client.ReadBody(buffer);
    ASSERT_GT(read, 0);
    result.body.append(buffer, static_cast<std::size_t>(read));
  }
  {
    BackgroundCall call(clock, [&] {
      BodyResult rest = ReadWholeBody(client);
      result.body += rest.body;
      result.last = rest.last;
    });
    ASSERT_TRUE(AwaitBlockedSocketWaits(1, kCallWait));
    clock.Advance(150);
    ASSERT_TRUE(call.Join());
  }
  EXPECT_LT(result.last, 0);
  EXPECT_EQ(result.body, "abc");
  EXPECT_EQ(client.GetFailure(), HttpFailure::kReceiveTimedOut);
  client.ResetConnection();
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(CAtlHttpClient, DeadlineEndsAPeerThatDripsJustInsideTheTimeout) {
  // Each byte arrives well inside the 200 ms time-out, but the whole body
  // would need 2 s; the exchange deadline (6 time-outs, 1.2 s) ends it first.
  // Time moves one 20 ms step per pause of the peer, and only once the peer
  // has begun it, so every byte is sent before the next step and the client
  // never waits a whole time-out for one.
  constexpr milliseconds kTimeout{200};
  constexpr milliseconds kStep{20};
  constexpr int kStepsToTheDeadline = kTimeout * kExchangeDeadlineTimeouts / kStep;
  VirtualClock clock;
  ScriptedPeer peer;
  peer.Serve({ConnectionScript()
                  .ReadRequest()
                  .Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n")
                  .Send(std::string(100, 'd'), 1, kStep)});
  CAtlHttpClient client;
  client.SetSocketTimeout(kTimeout);
  bool navigated = false;
  BodyResult result;
  {
    BackgroundCall call(clock, [&] {
      navigated = client.Navigate(Url(peer, "/"), SoapPost("x"));
      if (navigated) result = ReadWholeBody(client);
    });
    for (int step = 1; step <= kStepsToTheDeadline; ++step) {
      ASSERT_TRUE(peer.AwaitPause(static_cast<std::size_t>(step))) << "step " << step;
      clock.Advance(kStep.count());
    }
    ASSERT_TRUE(call.Join());
  }
  ASSERT_TRUE(navigated);
  EXPECT_LT(result.last, 0);
  EXPECT_LT(result.body.size(), 100u);
  EXPECT_EQ(client.GetFailure(), HttpFailure::kDeadlinePassed);
  EXPECT_EQ(client.DescribeFailure(), "the exchange with 127.0.0.1:" + std::to_string(peer.Port()) +
                                          " took longer than its deadline of 1200 ms");
  client.ResetConnection();
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(CAtlHttpClient, RefusedConnectionFails) {
  CAtlHttpClient client;
  const std::string peer = "127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort());
  EXPECT_FALSE(client.Navigate(*SplitUrl("http://" + peer + "/"), SoapPost("x")));
  EXPECT_EQ(client.GetFailure(), HttpFailure::kConnectRefused);
  EXPECT_EQ(client.DescribeFailure(), peer + " refused the connection");
  EXPECT_EQ(client.GetStatus(), kInvalidStatus);
  client.ResetConnection();
  EXPECT_EQ(client.DescribeFailure(), "");
}

TEST(CAtlHttpClient, UnresolvableNameFails) {
  CAtlHttpClient client;
  EXPECT_FALSE(client.Navigate(*SplitUrl("http://nonexistent.invalid/"), SoapPost("x")));
  EXPECT_EQ(client.GetFailure(), HttpFailure::kLookupFailed);
  EXPECT_EQ(client.DescribeFailure(), "the host name 'nonexistent.invalid' has no address");
}

TEST(CAtlHttpClient, UnusableUrlFailsBeforeConnecting) {
  CAtlHttpClient client;
  EXPECT_FALSE(client.Navigate(std::string_view("https://secure.example/"), SoapPost("x")));
  EXPECT_EQ(client.GetFailure(), HttpFailure::kInvalidUrl);
  EXPECT_EQ(client.GetStatus(), kInvalidStatus);
}

TEST(CAtlHttpClient, ZeroTimeoutMeansTheDefault) {
  CAtlHttpClient client;
  EXPECT_EQ(client.GetSocketTimeout(), milliseconds(10000));
  client.SetSocketTimeout(milliseconds(250));
  EXPECT_EQ(client.GetSocketTimeout(), milliseconds(250));
  client.SetSocketTimeout(milliseconds(0));
  EXPECT_EQ(client.GetSocketTimeout(), milliseconds(10000));
}

TEST(CAtlHttpClient, ResetLeavesTheClientReadyForTheNextCall) {
  ScriptedPeer peer;
  peer.Serve(
      {ConnectionScript().ReadRequest().Send("HTTP/1.1 500 Error\r\nContent-Length: 4\r\n\r\nfail"),
       ConnectionScript().ReadRequest().Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok")});
  CAtlHttpClient client;
  EXPECT_FALSE(client.Navigate(Url(peer, "/"), SoapPost("x")));
  EXPECT_EQ(client.GetStatus(), 500);
  client.ResetConnection();
  EXPECT_EQ(client.GetStatus(), kInvalidStatus);
  EXPECT_EQ(client.GetFailure(), HttpFailure::kNone);
  ASSERT_TRUE(client.Navigate(Url(peer, "/"), SoapPost("x")));
  EXPECT_EQ(ReadWholeBody(client).body, "ok");
  EXPECT_EQ(peer.Finish().connections.size(), 2u);
}

}  // namespace
}  // namespace soap
