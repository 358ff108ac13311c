#include "soap/runtime/SoapRequestWriter.h"

#include <gtest/gtest.h>

#include "soap/runtime/SoapNamespaces.h"
#include "soap/runtime/SoapTestTables.h"

namespace soap {
namespace {

using namespace soap::testing;

const std::string kStart =
    "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:soapenc=\"http://schemas.xmlsoap.org/soap/encoding/\"><soap:Body>";
const std::string kEnd = "</soap:Body></soap:Envelope>";

TEST(SoapRequestWriter, WritesGetPublicAdsByteForByte) {
  GetPublicAdsParams params;
  params.offerId = 60;
  params.memberIp = u"";
  params.cgroup = u"cars";
  params.keyword = std::nullopt;
  params.maxAds = 5;
  params.ua = u"Mozilla/4.0 (compatible; MSIE 7.0)";
  params.sURL = u"http://a.example/?q=1&r=\u00E9";
  std::string body;
  ASSERT_TRUE(WriteRequestEnvelope(body, kGetPublicAds, &params));
  EXPECT_EQ(body, kStart +
                      "<GetPublicAds xmlns=\"http://vimaru.test/ads/\"><offerId>60</offerId>"
                      "<memberIp></memberIp><cgroup>cars</cgroup><keyword xsi:nil=\"1\"/>"
                      "<maxAds>5</maxAds><ua>Mozilla/4.0 (compatible; MSIE 7.0)</ua>"
                      "<sURL>http://a.example/?q=1&amp;r=&#x00E9;</sURL></GetPublicAds>" +
                      kEnd);
  EXPECT_EQ(body.substr(0, 227), kEnvelopeStartTag);
}

TEST(SoapRequestWriter, OperationWithoutInFieldsWritesAnEmptyWrapper) {
  GetBlockedTermsListParams params;
  params.GetBlockedTermsListResult = {u"never written"};
  std::string body;
  ASSERT_TRUE(WriteRequestEnvelope(body, kGetBlockedTermsList, &params));
  EXPECT_EQ(body,
            kStart +
                "<GetBlockedTermsList xmlns=\"http://vimaru.test/ads/\"></GetBlockedTermsList>" +
                kEnd);
}

EchoParams FullEcho() {
  EchoParams params;
  params.text = u"x";
  params.number = -7;
  params.flag = true;
  params.price = 0.1;
  params.ratio = 1e21;
  params.blob = {'f', 'o', 'o'};
  params.hex = {0xCA, 0xFE};
  params.feed = 5;
  params.test.FeedType = 11;
  params.test.FeedEnabled = false;
  params.test.AdsCount = 2;
  AdItem ad;
  ad.Title = u"T";
  ad.BidPrice = std::numeric_limits<double>::infinity();
  params.test.AdItems.items = {ad, AdItem{}};
  params.words = {u"a", std::nullopt, u""};
  params.ads.resize(1);
  params.ads[0].Url = u"u";
  return params;
}

TEST(SoapRequestWriter, WritesEveryValueFormNestedRecordsAndArrays) {
  const EchoParams params = FullEcho();
  std::string body;
  ASSERT_TRUE(WriteRequestEnvelope(body, kEcho, &params));
  const std::string nilAd =
      "<FeedType>Unknown</FeedType><Title xsi:nil=\"1\"/><Url xsi:nil=\"1\"/><Description "
      "xsi:nil=\"1\"/>"
      "<DescriptionLine1 xsi:nil=\"1\"/><DescriptionLine2 xsi:nil=\"1\"/><ClickUrl xsi:nil=\"1\"/>"
      "<Referer xsi:nil=\"1\"/>";
  const std::string tail = "<ImageUrl xsi:nil=\"1\"/><Keyword xsi:nil=\"1\"/>";
  EXPECT_EQ(body,
            kStart +
                "<Echo xmlns=\"http://vimaru.test/ads/\"><text>x</text><number>-7</number>"
                "<flag>true</flag><price>0.1</price><ratio>1e+21</ratio><blob>Zm9v</blob>"
                "<hex>CAFE</hex><feed>AdsByQxExact</feed>"
                "<test><FeedType>Clicksor</FeedType><FeedEnabled>false</FeedEnabled><AdItems>"
                "<AdItem><FeedType>Unknown</FeedType><Title>T</Title><Url xsi:nil=\"1\"/>"
                "<Description xsi:nil=\"1\"/><DescriptionLine1 xsi:nil=\"1\"/>"
                "<DescriptionLine2 xsi:nil=\"1\"/><ClickUrl xsi:nil=\"1\"/><Referer xsi:nil=\"1\"/>"
                "<BidPrice>INF</BidPrice><DisplayAd>false</DisplayAd>" +
                tail +
                "</AdItem>"
                "<AdItem>" +
                nilAd + "<BidPrice>0</BidPrice><DisplayAd>false</DisplayAd>" + tail +
                "</AdItem></AdItems><AdsCount>2</AdsCount></test>"
                "<words><string>a</string><string xsi:nil=\"1\"/><string></string></words>"
                "<ads><AdItemResult><Keyword xsi:nil=\"1\"/><Referer xsi:nil=\"1\"/>"
                "<Description xsi:nil=\"1\"/><Title xsi:nil=\"1\"/><ClickUrl xsi:nil=\"1\"/>"
                "<Url>u</Url></AdItemResult></ads></Echo>" +
                kEnd);
}

TEST(SoapRequestWriter, FailsOnAnEnumerationNumberWithoutName) {
  EchoParams params = FullEcho();
  params.feed = 12;
  std::string body;
  EXPECT_FALSE(WriteRequestEnvelope(body, kEcho, &params));
}

TEST(SoapRequestWriter, OtherCallStylesFrameTheParameters) {
  static constexpr OperationDescriptor kBare =
      Operation<GetBlockedTermsListParams, "Bare", kTestNamespace>(kGetBlockedTermsListFields,
                                                                   CallStyle::kDocumentLiteral);
  static constexpr OperationDescriptor kRpc = Operation<GetPublicAdsParams, "Rpc", kTestNamespace>(
      kGetPublicAdsFields, CallStyle::kRpcEncoded);
  GetBlockedTermsListParams none;
  std::string bare;
  ASSERT_TRUE(WriteRequestEnvelope(bare, {&kBare, nullptr}, &none));
  EXPECT_EQ(bare, kStart + kEnd);

  GetPublicAdsParams params;
  params.offerId = 1;
  params.ua = u"u";
  std::string rpc;
  ASSERT_TRUE(WriteRequestEnvelope(rpc, {&kRpc, nullptr}, &params));
  EXPECT_EQ(
      rpc,
      kStart +
          "<snp:Rpc xmlns:snp=\"http://vimaru.test/ads/\" "
          "soap:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
          "<offerId xsi:type=\"xsd:int\">1</offerId><memberIp xsi:nil=\"1\"/>"
          "<cgroup xsi:nil=\"1\"/><keyword xsi:nil=\"1\"/><maxAds xsi:type=\"xsd:int\">0</maxAds>"
          "<ua xsi:type=\"xsd:string\">u</ua><sURL xsi:nil=\"1\"/></snp:Rpc>" +
          kEnd);
}

}  // namespace
}  // namespace soap
