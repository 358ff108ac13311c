#include "soap/ads/CQxAdsExT.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "soap/ads/QxAdsExTables.h"
#include "soap/ads/SoapTestAnswers.h"
#include "soap/runtime/CSoapRootHandler.h"

namespace QxAdsEx {
namespace {

using soap::SoapClientError;
using soap::testing::AnswerWith;
using soap::testing::ExpectedBody;
using soap::testing::HttpAnswer;
using soap::testing::ResponseEnvelope;

const std::string kNamespace = soap::AdsServiceNamespace;

std::string AdsResponse(std::string_view operation, std::string_view content) {
  return HttpAnswer("200 OK", ResponseEnvelope(operation, kNamespace, content));
}

TEST(QxAdsExTables, SoapActionLineOfEveryOperationIsNamespacePlusName) {
  const struct {
    const soap::SoapOperation& operation;
    const char* name;
  } kCases[] = {
      {kGetPublicAdsEx, "GetPublicAdsEx"},
      {kGetRandomKeyword, "GetRandomKeyword"},
      {kGetRandomCategory, "GetRandomCategory"},
      {kGetMemberAdsEx, "GetMemberAdsEx"},
      {kGetMemberAds, "GetMemberAds"},
      {ktestAds, "testAds"},
      {kGetBlockedTermsList, "GetBlockedTermsList"},
      {kGetKeywordList, "GetKeywordList"},
      {kGetPublicAds, "GetPublicAds"},
      {kTestPublicAds, "TestPublicAds"},
      {kGetCategoryList, "GetCategoryList"},
  };
  for (const auto& test : kCases) {
    EXPECT_EQ(soap::SoapActionLine(*test.operation.body),
              "SOAPAction: \"" + kNamespace + test.name + "\"\r\n");
    EXPECT_EQ(test.operation.body->WideName(),
              std::u16string(test.name, test.name + std::strlen(test.name)) + u"Response");
  }
}

TEST(QxAdsExTables, OperationsWithoutParametersSendAnEmptyWrapper) {
  const struct {
    const soap::SoapOperation& operation;
    const char* name;
  } kCases[] = {
      {kGetCategoryList, "GetCategoryList"},   {kGetBlockedTermsList, "GetBlockedTermsList"},
      {kGetKeywordList, "GetKeywordList"},     {kTestPublicAds, "TestPublicAds"},
      {kGetRandomKeyword, "GetRandomKeyword"}, {kGetRandomCategory, "GetRandomCategory"},
  };
  GetCategoryListParams categories;
  GetBlockedTermsListParams blocked;
  GetKeywordListParams keywords;
  TestPublicAdsParams testPublic;
  GetRandomKeywordParams randomKeyword;
  GetRandomCategoryParams randomCategory;
  const void* blocks[] = {&categories, &blocked,       &keywords,
                          &testPublic, &randomKeyword, &randomCategory};
  for (std::size_t i = 0; i < std::size(kCases); ++i) {
    std::string body;
    ASSERT_TRUE(soap::CSoapRootHandler::GenerateRequest(body, kCases[i].operation, blocks[i]));
    EXPECT_EQ(body, ExpectedBody(kCases[i].name, kNamespace, "")) << kCases[i].name;
  }
}

TEST(QxAdsExTables, MemberAdsExWritesEveryParameterInOrder) {
  GetMemberAdsExParams params;
  params.encryptedMemberId = u"M1";
  params.offerId = 60;
  params.memberIp = u"";
  params.cgroup = u"Cars";
  params.maxAds = -5;
  params.ua = u"Mozilla/4.0 \"compatible\"";
  params.isChargable = true;
  params.sURL = u"http://x/?a=1&b=<2>";
  std::string body;
  ASSERT_TRUE(soap::CSoapRootHandler::GenerateRequest(body, kGetMemberAdsEx, &params));
  EXPECT_EQ(body,
            ExpectedBody("GetMemberAdsEx", kNamespace,
                         "<encryptedMemberId>M1</encryptedMemberId><offerId>60</offerId>"
                         "<memberIp></memberIp><cgroup>Cars</cgroup><keyword xsi:nil=\"1\"/>"
                         "<maxAds>-5</maxAds><ua>Mozilla/4.0 \"compatible\"</ua>"
                         "<isChargable>true</isChargable><sURL>http://x/?a=1&amp;b=&lt;2&gt;</sURL>"
                         "<bFix>false</bFix>"));
}

TEST(QxAdsExTables, TestAdsSendsTheEightFeedFlagsAfterTheCommonParameters) {
  testAdsParams params;
  params.offerId = 60;
  params.testMamma = true;
  params.testAdExchange = true;
  std::string body;
  ASSERT_TRUE(soap::CSoapRootHandler::GenerateRequest(body, ktestAds, &params));
  EXPECT_EQ(body,
            ExpectedBody("testAds", kNamespace,
                         "<offerId>60</offerId><memberIp xsi:nil=\"1\"/><cgroup xsi:nil=\"1\"/>"
                         "<keyword xsi:nil=\"1\"/><maxAds>0</maxAds><ua xsi:nil=\"1\"/>"
                         "<sURL xsi:nil=\"1\"/><testPulse360>false</testPulse360>"
                         "<testMamma>true</testMamma><testAdmanage>false</testAdmanage>"
                         "<testAdSonar>false</testAdSonar><testNami>false</testNami>"
                         "<testAdKnowledge>false</testAdKnowledge><testOridian>false</testOridian>"
                         "<testAdExchange>true</testAdExchange>"));
}

TEST(CQxAdsExT, GetPublicAdsPostsTheExactRequestAndReadsTheAds) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(
      AdsResponse("GetPublicAds",
                  "<GetPublicAdsResult><AdItemResult><Keyword>car</Keyword><Referer>r</Referer>"
                  "<Description>Cheap &amp; "
                  "fast</Description><Title>Cars</Title><ClickUrl>http://c/1</ClickUrl>"
                  "<Url>cars.example</Url></AdItemResult><AdItemResult><Title>Only</Title><Url>u</"
                  "Url></AdItemResult>"
                  "</GetPublicAdsResult>"))});
  CQxAdsEx proxy(peer.Url("/qxadsex.asmx"));
  std::vector<AdItemResult> ads;
  int count = -1;
  ASSERT_EQ(
      proxy.GetPublicAds(60, u"", u"Cars", u"caf\u00E9", 5, u"UA", u"http://page/", &ads, &count),
      S_OK);
  EXPECT_EQ(proxy.GetClientError(), SoapClientError::kSuccess);

  ASSERT_EQ(count, 2);
  ASSERT_EQ(ads.size(), 2u);
  EXPECT_EQ(ads[0].Keyword, u"car");
  EXPECT_EQ(ads[0].Referer, u"r");
  EXPECT_EQ(ads[0].Description, u"Cheap & fast");
  EXPECT_EQ(ads[0].Title, u"Cars");
  EXPECT_EQ(ads[0].ClickUrl, u"http://c/1");
  EXPECT_EQ(ads[0].Url, u"cars.example");
  // An ad with only Title and Url leaves the other four null, not empty.
  EXPECT_EQ(ads[1].Title, u"Only");
  EXPECT_EQ(ads[1].Url, u"u");
  EXPECT_FALSE(ads[1].Description.has_value());
  EXPECT_FALSE(ads[1].ClickUrl.has_value());
  EXPECT_FALSE(ads[1].Keyword.has_value());
  EXPECT_FALSE(ads[1].Referer.has_value());

  const test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  ASSERT_EQ(record.connections.size(), 1u);
  const std::string body =
      ExpectedBody("GetPublicAds", kNamespace,
                   "<offerId>60</offerId><memberIp></memberIp><cgroup>Cars</cgroup>"
                   "<keyword>caf&#x00E9;</keyword><maxAds>5</maxAds><ua>UA</ua>"
                   "<sURL>http://page/</sURL>");
  EXPECT_EQ(
      record.connections[0].requests.at(0),
      soap::testing::ExpectedSoapRequest(peer, "/qxadsex.asmx", kNamespace + "GetPublicAds", body));
}

TEST(CQxAdsExT, GetCategoryListPostsAnEmptyWrapperAndReadsLabelsAndNames) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(AdsResponse(
      "GetCategoryList",
      "<GetCategoryListResult><CategoryItem><Label>car</Label><Name>Cars</Name></CategoryItem>"
      "<CategoryItem><Label>flight</Label></CategoryItem><CategoryItem xsi:nil=\"true\"/>"
      "</GetCategoryListResult>"))});
  CQxAdsEx proxy(peer.Url("/qxadsex.asmx"));
  std::vector<CategoryItem> categories;
  int count = 0;
  ASSERT_EQ(proxy.GetCategoryList(&categories, &count), S_OK);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(categories[0].Label, u"car");
  EXPECT_EQ(categories[0].Name, u"Cars");
  EXPECT_EQ(categories[1].Label, u"flight");
  EXPECT_FALSE(categories[1].Name.has_value());
  EXPECT_FALSE(categories[2].Label.has_value());

  const test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  EXPECT_EQ(
      record.connections[0].requests.at(0),
      soap::testing::ExpectedSoapRequest(peer, "/qxadsex.asmx", kNamespace + "GetCategoryList",
                                         ExpectedBody("GetCategoryList", kNamespace, "")));
}

TEST(CQxAdsExT, BlockedTermsAreAnArrayOfStringsWithNullItems) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(
      AdsResponse("GetBlockedTermsList",
                  "<GetBlockedTermsListResult><string>casino</string><string xsi:nil=\"true\"/>"
                  "<string>poker</string><string></string></GetBlockedTermsListResult>"))});
  CQxAdsEx proxy(peer.Url("/qxadsex.asmx"));
  std::vector<soap::SoapString> terms;
  int count = 0;
  ASSERT_EQ(proxy.GetBlockedTermsList(&terms, &count), S_OK);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(terms[0], u"casino");
  EXPECT_FALSE(terms[1].has_value());
  EXPECT_EQ(terms[2], u"poker");
  EXPECT_EQ(terms[3], u"");
  EXPECT_EQ(peer.Finish().problem, "");
}

// testAds carries the richest record: enumeration by name, required
// numbers and booleans, and the AdItems wrapper with one element per ad.
TEST(CQxAdsExT, TestAdsReadsFeedsWithTheirWrappedAds) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(AdsResponse(
      "testAds",
      "<testAdsResult><AdTestItem><FeedType>AdSonar</FeedType><FeedEnabled>true</FeedEnabled>"
      "<AdItems><AdItem><FeedType>Clicksor</FeedType><Title>T</Title><BidPrice>0.25</BidPrice>"
      "<DisplayAd>1</DisplayAd></AdItem><AdItem><BidPrice>-INF</BidPrice><DisplayAd>false</"
      "DisplayAd>"
      "<ImageUrl>i</ImageUrl></AdItem></AdItems><AdsCount>2</AdsCount></AdTestItem>"
      "<AdTestItem><FeedEnabled>false</FeedEnabled><AdsCount>0</AdsCount></AdTestItem></"
      "testAdsResult>"))});
  CQxAdsEx proxy(peer.Url("/qxadsex.asmx"));
  std::vector<AdTestItem> feeds;
  int count = 0;
  ASSERT_EQ(proxy.testAds(60, u"", u"", u"", 5, u"", u"", {}, &feeds, &count), S_OK);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(feeds[0].FeedType, AdSonar);
  EXPECT_TRUE(feeds[0].FeedEnabled);
  EXPECT_EQ(feeds[0].AdsCount, 2);
  ASSERT_EQ(feeds[0].AdItems.AdItem.size(), 2u);
  EXPECT_EQ(feeds[0].AdItems.AdItem[0].FeedType, Clicksor);
  EXPECT_EQ(feeds[0].AdItems.AdItem[0].Title, u"T");
  EXPECT_DOUBLE_EQ(feeds[0].AdItems.AdItem[0].BidPrice, 0.25);
  EXPECT_TRUE(feeds[0].AdItems.AdItem[0].DisplayAd);
  // A missing FeedType reads as Unknown.
  EXPECT_EQ(feeds[0].AdItems.AdItem[1].FeedType, Unknown);
  EXPECT_EQ(feeds[0].AdItems.AdItem[1].ImageUrl, u"i");
  // A missing AdItems leaves no ads; a missing FeedType is Unknown.
  EXPECT_EQ(feeds[1].FeedType, Unknown);
  EXPECT_TRUE(feeds[1].AdItems.AdItem.empty());
  EXPECT_EQ(peer.Finish().problem, "");
}

// Answers that must fail the whole call with the parse error, leaving the
// caller's variables as they were.
TEST(CQxAdsExT, MalformedTestAdsAnswersFailWithParseError) {
  const struct {
    const char* situation;
    const char* result;
  } kCases[] = {
      {"AdItem without BidPrice",
       "<testAdsResult><AdTestItem><FeedEnabled>true</"
       "FeedEnabled><AdItems><AdItem><DisplayAd>true</DisplayAd>"
       "</AdItem></AdItems><AdsCount>1</AdsCount></AdTestItem></testAdsResult>"},
      {"AdItem without DisplayAd",
       "<testAdsResult><AdTestItem><FeedEnabled>true</FeedEnabled><AdItems><AdItem><BidPrice>1</"
       "BidPrice>"
       "</AdItem></AdItems><AdsCount>1</AdsCount></AdTestItem></testAdsResult>"},
      {"AdTestItem without FeedEnabled",
       "<testAdsResult><AdTestItem><AdsCount>1</AdsCount></AdTestItem></testAdsResult>"},
      {"AdTestItem without AdsCount",
       "<testAdsResult><AdTestItem><FeedEnabled>true</FeedEnabled></AdTestItem></testAdsResult>"},
      {"FeedType outside the twelve names",
       "<testAdsResult><AdTestItem><FeedType>Google</FeedType><FeedEnabled>true</FeedEnabled>"
       "<AdsCount>1</AdsCount></AdTestItem></testAdsResult>"},
      {"FeedType in the wrong case",
       "<testAdsResult><AdTestItem><FeedType>adsonar</FeedType><FeedEnabled>true</FeedEnabled>"
       "<AdsCount>1</AdsCount></AdTestItem></testAdsResult>"},
      {"unknown field in a record",
       "<testAdsResult><AdTestItem><FeedEnabled>true</FeedEnabled><AdsCount>1</AdsCount><Extra/>"
       "</AdTestItem></testAdsResult>"},
      {"duplicate result element", "<testAdsResult/><testAdsResult/>"},
  };
  for (const auto& test : kCases) {
    SCOPED_TRACE(test.situation);
    test_support::ScriptedPeer peer;
    peer.Serve({AnswerWith(AdsResponse("testAds", test.result))});
    CQxAdsEx proxy(peer.Url("/qxadsex.asmx"));
    std::vector<AdTestItem> feeds(1);
    int count = 7;
    EXPECT_LT(proxy.testAds(60, u"", u"", u"", 5, u"", u"", {}, &feeds, &count), 0);
    EXPECT_EQ(proxy.GetClientError(), SoapClientError::kParseError);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(feeds.size(), 1u);
    EXPECT_EQ(peer.Finish().problem, "");
  }
}

TEST(CQxAdsExT, AnswerOfAnotherOperationFails) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(AdsResponse("GetMemberAds", "<GetMemberAdsResult/>"))});
  CQxAdsEx proxy(peer.Url("/qxadsex.asmx"));
  std::vector<AdItemResult> ads;
  int count = 0;
  EXPECT_LT(proxy.GetPublicAds(60, u"", u"", u"", 5, u"", u"", &ads, &count), 0);
  EXPECT_EQ(proxy.GetClientError(), SoapClientError::kParseError);
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(CQxAdsExT, NullOutPointersAreRefusedWithoutACall) {
  CQxAdsEx proxy("http://127.0.0.1:1/qxadsex.asmx");
  std::vector<AdItemResult> ads;
  int count = 0;
  EXPECT_EQ(proxy.GetPublicAds(60, u"", u"", u"", 5, u"", u"", nullptr, &count), E_POINTER);
  EXPECT_EQ(proxy.GetPublicAds(60, u"", u"", u"", 5, u"", u"", &ads, nullptr), E_POINTER);
  EXPECT_EQ(proxy.GetRandomKeyword(nullptr), E_POINTER);
}

}  // namespace
}  // namespace QxAdsEx
