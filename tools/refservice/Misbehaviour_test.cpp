// Each misbehaviour as it appears on the wire, byte for byte where the
// bytes are the point.
#include "tools/refservice/Misbehaviour.h"

#include <gtest/gtest.h>

#include "tools/refservice/LoopbackClient.h"
#include "tools/refservice/ReferenceService.h"

namespace refservice {
namespace {

using testing::LoopbackClient;

const std::string kCategoryListRequest =
    testing::SoapPost("/qxadsex.asmx", "http://ads.vimaru.com/GetCategoryList",
                      testing::SoapEnvelopeFor("http://ads.vimaru.com/", "GetCategoryList", ""));

class MisbehaviourTest : public ::testing::Test {
 protected:
  std::optional<testing::ParsedAnswer> AskCategories() {
    LoopbackClient client(service_.Port());
    client.Send(kCategoryListRequest);
    return client.ReadAnswer();
  }

  std::string AskCategoriesRaw() {
    LoopbackClient client(service_.Port());
    client.Send(kCategoryListRequest);
    return client.ReadUntilClose();
  }

  std::string NormalBody() {
    const auto answer = AskCategories();
    return answer ? answer->body : std::string();
  }

  ReferenceService service_;
};

TEST_F(MisbehaviourTest, StatusCodeReplacesTheAnswer) {
  service_.Misbehave("GetCategoryList", Misbehaviour::Status(503, "down"));
  const auto answer = AskCategories();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->raw,
            "HTTP/1.1 503 Service Unavailable\r\nCache-Control: private, max-age=0\r\n"
            "Content-Type: text/html; charset=utf-8\r\nServer: vimaru-refservice\r\n"
            "Content-Length: 4\r\n\r\ndown");
}

TEST_F(MisbehaviourTest, SoapFaultIsStatus500WithTheFaultEnvelope) {
  SoapFault fault{"soap:Server", "Feed <down> & out", "http://ads.vimaru.com/actor", "<e>1</e>"};
  service_.Misbehave("GetCategoryList", Misbehaviour::Fault(fault));
  const auto answer = AskCategories();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 500);
  EXPECT_EQ(FindHeader(answer->headers, "Content-Type"), "text/xml; charset=utf-8");
  EXPECT_EQ(
      answer->body,
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
      "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body><soap:Fault>"
      "<faultcode>soap:Server</faultcode><faultstring>Feed &lt;down&gt; &amp; out</faultstring>"
      "<faultactor>http://ads.vimaru.com/actor</faultactor><detail><e>1</e></detail>"
      "</soap:Fault></soap:Body></soap:Envelope>");
}

TEST_F(MisbehaviourTest, ChunkedBodyIsFramedInChunksOfTheGivenSize) {
  const std::string body = NormalBody();
  ASSERT_GT(body.size(), 1000u);
  service_.Misbehave("GetCategoryList", Misbehaviour::Chunked(256));
  const auto answer = AskCategories();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->body, body);
  EXPECT_FALSE(FindHeader(answer->headers, "Content-Length"));
  std::string expected;
  for (std::size_t at = 0; at < body.size(); at += 256) {
    const std::string chunk = body.substr(at, 256);
    char size[16];
    std::snprintf(size, sizeof size, "%zx", chunk.size());
    expected += std::string(size) + "\r\n" + chunk + "\r\n";
  }
  expected += "0\r\n\r\n";
  EXPECT_TRUE(answer->raw.ends_with("Transfer-Encoding: chunked\r\n\r\n" + expected));
}

TEST_F(MisbehaviourTest, RedirectsCarryTheirStatusAndLocation) {
  for (const int status : {301, 302, 303, 307}) {
    const std::string location = service_.BaseUrl() + "/moved/" + std::to_string(status);
    service_.Misbehave("GetCategoryList", Misbehaviour::RedirectTo(status, location));
    const auto answer = AskCategories();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, status);
    EXPECT_EQ(FindHeader(answer->headers, "Location"), location);
  }
}

TEST_F(MisbehaviourTest, DelayedAnswerStillArrivesWhole) {
  const std::string body = NormalBody();
  service_.Misbehave("GetCategoryList", Misbehaviour::Delay(std::chrono::milliseconds(20)));
  const auto answer = AskCategories();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->body, body);
}

TEST_F(MisbehaviourTest, TruncatedBodyClaimsTheFullLengthAndCloses) {
  const std::string body = NormalBody();
  service_.Misbehave("GetCategoryList", Misbehaviour::Truncate(10));
  const std::string raw = AskCategoriesRaw();
  EXPECT_TRUE(raw.ends_with("Content-Length: " + std::to_string(body.size()) +
                            "\r\nConnection: close\r\n\r\n" + body.substr(0, 10)))
      << raw;
}

TEST_F(MisbehaviourTest, TruncatedChunkedBodyStopsInsideAChunk) {
  const std::string body = NormalBody();
  Misbehaviour misbehaviour = Misbehaviour::Chunked(8);
  misbehaviour.truncateBodyAfter = 12;
  service_.Misbehave("GetCategoryList", misbehaviour);
  const std::string raw = AskCategoriesRaw();
  EXPECT_TRUE(raw.ends_with("\r\n\r\n8\r\n" + body.substr(0, 8) + "\r\n8\r\n" + body.substr(8, 4)))
      << raw;
}

TEST_F(MisbehaviourTest, MalformedBodyKeepsStatus200) {
  service_.Misbehave("GetCategoryList", Misbehaviour::Malformed("<soap:Envelope><oops"));
  const auto answer = AskCategories();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  EXPECT_EQ(answer->body, "<soap:Envelope><oops");
}

TEST_F(MisbehaviourTest, CloseWithoutAnswerSendsNothingButRecords) {
  service_.Misbehave("GetCategoryList", Misbehaviour::CloseWithoutAnswer());
  EXPECT_EQ(AskCategoriesRaw(), "");
  ASSERT_EQ(service_.RequestCount(), 1u);
  EXPECT_EQ(service_.Requests()[0].operation, "GetCategoryList");
}

TEST_F(MisbehaviourTest, OneShotAppliesOnceStickyUntilCleared) {
  service_.Misbehave("GetCategoryList", Misbehaviour::Status(502));
  EXPECT_EQ(AskCategories()->status, 502);
  EXPECT_EQ(AskCategories()->status, 200);

  service_.Misbehave("GetCategoryList", Misbehaviour::Status(502).Sticky());
  EXPECT_EQ(AskCategories()->status, 502);
  EXPECT_EQ(AskCategories()->status, 502);
  service_.ClearMisbehaviours();
  EXPECT_EQ(AskCategories()->status, 200);
}

TEST_F(MisbehaviourTest, OperationSettingWinsOverPathSetting) {
  service_.Misbehave("/qxadsex.asmx", Misbehaviour::Status(404).Sticky());
  service_.Misbehave("GetCategoryList", Misbehaviour::Status(201));
  EXPECT_EQ(AskCategories()->status, 201);
  EXPECT_EQ(AskCategories()->status, 404);
}

TEST_F(MisbehaviourTest, WebSitePathsMisbehaveToo) {
  service_.Misbehave("/autologin.aspx", Misbehaviour::Status(500, "broken"));
  LoopbackClient client(service_.Port());
  client.Send("GET /autologin.aspx?sso=x&AutoLogin=1 HTTP/1.1\r\n\r\n");
  const auto answer = client.ReadAnswer();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 500);
  EXPECT_EQ(answer->body, "broken");
}

}  // namespace
}  // namespace refservice
