#include "soap/runtime/CSoapSocketClientT.h"

#include <gtest/gtest.h>

#include "soap/runtime/SoapTestSupport.h"
#include "tests/support/ScriptedPeer.h"

namespace soap {
namespace {

using namespace soap::testing;
using test_support::ConnectionScript;
using test_support::ScriptedPeer;

std::string Answer(std::string_view status, std::string_view body) {
  return "HTTP/1.1 " + std::string(status) +
         "\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

std::string Chunked(std::string_view body, std::size_t chunk) {
  std::string answer = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
  for (std::size_t at = 0; at < body.size(); at += chunk) {
    const std::string_view piece = body.substr(at, chunk);
    char size[16];
    std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
    answer.append(size).append(piece).append("\r\n");
  }
  return answer + "0\r\n\r\n";
}

const std::string kOneAd = PublicAdsResponse(1);
const std::string kFault =
    "<?xml version=\"1.0\"?><soap:Envelope "
    "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
    "<soap:Fault><faultcode>soap:Client.Input</faultcode><faultstring>bad &amp; wrong</faultstring>"
    "<faultactor>http://svc/</faultactor><detail><e "
    "a=\"1\">why</e></detail></soap:Fault></soap:Body></soap:Envelope>";

struct Call {
  HRESULT hr;
  SoapClientError error;
  std::string cause;
  std::string peer;  // "127.0.0.1:<port>"
  GetPublicAdsParams params;
  SoapFault fault;
  test_support::PeerRecord record;
};

Call CallGetPublicAds(std::vector<ConnectionScript> scripts) {
  ScriptedPeer peer;
  peer.Serve(std::move(scripts));
  CSoapSocketClient client(peer.Url("/qxadsex.asmx"));
  client.SetTimeout(std::chrono::milliseconds(2000));
  Call call;
  call.hr = client.InvokeOperation(kGetPublicAds, call.params, [](GetPublicAdsParams& p) {
    p.offerId = 60;
    p.memberIp = u"";
    p.keyword = u"a\u00E9";
    p.maxAds = 5;
  });
  call.error = client.GetClientError();
  call.cause = client.GetFailureCause();
  call.peer = "127.0.0.1:" + std::to_string(peer.Port());
  call.fault = client.GetFault();
  call.record = peer.Finish();
  return call;
}

TEST(CSoapSocketClientT, PostsTheEnvelopeAndParsesTheAnswer) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send(Answer("200 OK", kOneAd), 1)});
  CSoapSocketClient client(peer.Url("/qxadsex.asmx"));
  GetPublicAdsParams params;
  const HRESULT hr = client.InvokeOperation(kGetPublicAds, params, [](GetPublicAdsParams& p) {
    p.offerId = 60;
    p.maxAds = 5;
  });
  const test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(hr, S_OK);
  EXPECT_EQ(client.GetClientError(), SoapClientError::kSuccess);
  ASSERT_EQ(params.GetPublicAdsResult.size(), 1u);
  EXPECT_EQ(params.GetPublicAdsResult[0].Title, u"Ad title 0");

  const std::string body =
      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
      "xmlns:soapenc=\"http://schemas.xmlsoap.org/soap/encoding/\"><soap:Body>"
      "<GetPublicAds xmlns=\"http://vimaru.test/ads/\"><offerId>60</offerId><memberIp "
      "xsi:nil=\"1\"/>"
      "<cgroup xsi:nil=\"1\"/><keyword xsi:nil=\"1\"/><maxAds>5</maxAds><ua xsi:nil=\"1\"/>"
      "<sURL xsi:nil=\"1\"/></GetPublicAds></soap:Body></soap:Envelope>";
  ASSERT_EQ(record.problem, "");
  ASSERT_EQ(record.connections.size(), 1u);
  EXPECT_EQ(record.connections[0].requests.at(0),
            "POST /qxadsex.asmx HTTP/1.1\r\nContent-Length: " + std::to_string(body.size()) +
                "\r\nContent-Type: text/xml; charset=utf-8\r\n"
                "SOAPAction: \"http://vimaru.test/ads/GetPublicAds\"\r\nAccept: text/xml\r\n"
                "Host: 127.0.0.1:" +
                std::to_string(peer.Port()) + "\r\nUser-Agent: Microsoft-ATL-Native/8.00\r\n\r\n" +
                body);
}

TEST(CSoapSocketClientT, ChunkedAnswerParsesLikeContentLength) {
  const std::string body = PublicAdsResponse(30);
  const Call chunked =
      CallGetPublicAds({ConnectionScript().ReadRequest().Send(Chunked(body, 1000), 4096)});
  const Call plain =
      CallGetPublicAds({ConnectionScript().ReadRequest().Send(Answer("200 OK", body), 4096)});
  ASSERT_EQ(chunked.hr, S_OK);
  ASSERT_EQ(plain.hr, S_OK);
  ASSERT_EQ(chunked.params.GetPublicAdsResult.size(), 30u);
  for (std::size_t i = 0; i < 30; ++i) {
    EXPECT_EQ(chunked.params.GetPublicAdsResult[i].Description,
              plain.params.GetPublicAdsResult[i].Description);
  }
}

TEST(CSoapSocketClientT, MapsEachOutcomeToItsError) {
  struct Case {
    const char* name;
    std::string answer;
    SoapClientError expected;
  } const cases[] = {
      {"201 is a server error", Answer("201 Created", kOneAd), SoapClientError::kServerError},
      {"202 with no body succeeds", Answer("202 Accepted", ""), SoapClientError::kSuccess},
      {"202 is not parsed, whatever it carries", Answer("202 Accepted", "<html>queued</html>"),
       SoapClientError::kSuccess},
      {"404 is a failed exchange", Answer("404 Not Found", "x"), SoapClientError::kSendError},
      {"500 with a fault", Answer("500 Internal Server Error", kFault),
       SoapClientError::kSoapFault},
      {"500 with garbage", Answer("500 Internal Server Error", "<html>oops</html>"),
       SoapClientError::kFaultParseError},
      {"500 with a truncated fault", Answer("500 Internal Server Error", kFault).substr(0, 200),
       SoapClientError::kFaultParseError},
      {"body shorter than Content-Length", Answer("200 OK", kOneAd).substr(0, 300),
       SoapClientError::kSendError},
      {"complete document, then a premature close",
       "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kOneAd.size() + 10) + "\r\n\r\n" +
           kOneAd,
       SoapClientError::kSendError},
      {"mismatched document", Answer("200 OK", ResponseEnvelope("GetPublicAds", "<x/>")),
       SoapClientError::kParseError},
      {"document type",
       Answer("200 OK", "<!DOCTYPE d [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" + kOneAd),
       SoapClientError::kParseError},
      {"unreadable status line", "HTTP/1.1 abc\r\n\r\n", SoapClientError::kSendError},
  };
  for (const Case& c : cases) {
    const Call call = CallGetPublicAds({ConnectionScript().ReadRequest().Send(c.answer, 4096)});
    EXPECT_EQ(call.error, c.expected) << c.name;
    EXPECT_EQ(SUCCEEDED(call.hr), c.expected == SoapClientError::kSuccess) << c.name;
    EXPECT_TRUE(call.params.GetPublicAdsResult.empty()) << c.name;
  }
}

// The cause outlives the connection's reset at the end of the call, and says
// what the transport saw where the error code alone says "exchange failed".
TEST(CSoapSocketClientT, FailureCauseSaysWhatEndedTheCall) {
  const std::string redirect = "HTTP/1.1 302 Found\r\nLocation: /loop\r\nContent-Length: 0\r\n\r\n";
  ConnectionScript loop;
  for (int i = 0; i <= kMaxRedirects; ++i) loop.ReadRequest().Send(redirect);
  struct Case {
    const char* name;
    ConnectionScript script;
    std::string cause;  // "{peer}" stands for the peer's address and port
  } const cases[] = {
      {"success", ConnectionScript().ReadRequest().Send(Answer("200 OK", kOneAd)), ""},
      {"404", ConnectionScript().ReadRequest().Send(Answer("404 Not Found", "x")),
       "{peer} answered HTTP status 404"},
      {"redirect loop", loop, "more than 5 redirects in a row, the last from http://{peer}/loop"},
      {"201", ConnectionScript().ReadRequest().Send(Answer("201 Created", kOneAd)),
       "the server answered HTTP status 201"},
      {"body breaks off",
       ConnectionScript().ReadRequest().Send(Answer("200 OK", kOneAd).substr(0, 300)),
       "{peer} closed the connection before the answer was complete"},
      {"fault", ConnectionScript().ReadRequest().Send(Answer("500 Error", kFault)),
       "the service answered with a SOAP fault: bad & wrong"},
      {"mismatched document",
       ConnectionScript().ReadRequest().Send(
           Answer("200 OK", ResponseEnvelope("GetPublicAds", "<x/>"))),
       "the response is not the operation's response document"},
  };
  for (const Case& c : cases) {
    const Call call = CallGetPublicAds({c.script});
    std::string expected = c.cause;
    for (std::size_t at; (at = expected.find("{peer}")) != std::string::npos;)
      expected.replace(at, 6, call.peer);
    EXPECT_EQ(call.cause, expected) << c.name;
    EXPECT_EQ(call.record.problem, "") << c.name;
  }
}

TEST(CSoapSocketClientT, KeepsTheFourFaultFields) {
  const Call call =
      CallGetPublicAds({ConnectionScript().ReadRequest().Send(Answer("500 Error", kFault), 1)});
  EXPECT_EQ(call.error, SoapClientError::kSoapFault);
  EXPECT_EQ(call.fault.code, SoapFaultCode::kClient);
  EXPECT_EQ(call.fault.faultString, u"bad & wrong");
  EXPECT_EQ(call.fault.faultActor, u"http://svc/");
  EXPECT_EQ(call.fault.detail, u"<e a=\"1\">why</e>");

  const Call garbage =
      CallGetPublicAds({ConnectionScript().ReadRequest().Send(Answer("500 Error", "no"))});
  EXPECT_EQ(garbage.error, SoapClientError::kFaultParseError);
  EXPECT_EQ(garbage.fault.faultString, kApplicationFaultString);
}

TEST(CSoapSocketClientT, ConnectionFailuresAreSendErrors) {
  const std::string peer = "127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort());
  CSoapSocketClient refused("http://" + peer + "/x");
  GetPublicAdsParams params;
  EXPECT_EQ(refused.InvokeOperation(kGetPublicAds, params, [](auto&) {}), E_FAIL);
  EXPECT_EQ(refused.GetClientError(), SoapClientError::kSendError);
  EXPECT_EQ(refused.GetFailureCause(), peer + " refused the connection");

  for (const std::string scheme : {"ftp", "https"}) {
    CSoapSocketClient unusable(scheme + "://127.0.0.1/x");
    EXPECT_EQ(unusable.InvokeOperation(kGetPublicAds, params, [](auto&) {}), E_FAIL);
    EXPECT_EQ(unusable.GetClientError(), SoapClientError::kSendError);
    EXPECT_EQ(unusable.GetFailureCause(),
              "the scheme '" + scheme + "' is not supported: the client speaks only http");
  }
  // A usable URL set afterwards forgets the old one's problem.
  CSoapSocketClient replaced("https://127.0.0.1/x");
  replaced.SetUrl("http://" + peer + "/x");
  EXPECT_EQ(replaced.InvokeOperation(kGetPublicAds, params, [](auto&) {}), E_FAIL);
  EXPECT_EQ(replaced.GetFailureCause(), peer + " refused the connection");
}

TEST(CSoapSocketClientT, UnwritableRequestIsAGenerateErrorAndSendsNothing) {
  CSoapSocketClient client(
      "http://127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort()) + "/x");
  EchoParams params;
  EXPECT_EQ(client.InvokeOperation(kEcho, params, [](EchoParams& p) { p.feed = 99; }), E_FAIL);
  EXPECT_EQ(client.GetClientError(), SoapClientError::kGenerateError);
  EXPECT_EQ(client.GetFailureCause(), "the request envelope cannot be written from the parameters");
}

TEST(CSoapSocketClientT, OutOfMemoryWhileFillingIsError2) {
  CSoapSocketClient client("http://127.0.0.1/x");
  GetPublicAdsParams params;
  EXPECT_EQ(client.InvokeOperation(kGetPublicAds, params, [](auto&) { throw std::bad_alloc(); }),
            E_OUTOFMEMORY);
  EXPECT_EQ(client.GetClientError(), SoapClientError::kOutOfMemory);
}

TEST(SoapActionLine, NamesNamespaceAndOperation) {
  EXPECT_EQ(SoapActionLine(kGetPublicAdsBody),
            "SOAPAction: \"http://vimaru.test/ads/GetPublicAds\"\r\n");
}

}  // namespace
}  // namespace soap
