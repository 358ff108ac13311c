#include "soap/connector/VimaruConnector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/com/ComInit.h"
#include "platform/trace/Trace.h"
#include "soap/ServiceConfig.h"
#include "soap/ads/SoapTestAnswers.h"

namespace soap {
namespace {

using testing::AnswerWith;
using testing::HttpAnswer;
using testing::ResponseEnvelope;

std::string AdsAnswer(std::string_view operation, std::string_view content) {
  return HttpAnswer("200 OK", ResponseEnvelope(operation, AdsServiceNamespace, content));
}

std::string StatisticsAnswer(std::string_view content) {
  return HttpAnswer("200 OK", ResponseEnvelope("Statistics", UtilsServiceNamespace, content));
}

VimaruConnector ConnectorFor(const test_support::ScriptedPeer& peer) {
  return VimaruConnector(
      ServiceEndpoints{peer.Url("/qxadsex.asmx"), peer.Url("/utils/utils.asmx")});
}

AdRequest SampleRequest() {
  AdRequest request;
  request.encryptedMemberId = u"SECRET-MEMBER";
  request.offerId = u"60";
  request.memberIp = u"";
  request.categoryGroup = u"Cars";
  request.keyword = u"car";
  request.maxAds = u" 5 ads";
  request.userAgent = u"Mozilla/4.0";
  request.pageUrl = u"http://page/";
  return request;
}

const char kTwoAds[] =
    "<GetPublicAdsResult><AdItemResult><Keyword>k</Keyword><Referer>r</Referer><Description>d</"
    "Description>"
    "<Title>t</Title><ClickUrl>c</ClickUrl><Url>u</Url></AdItemResult>"
    "<AdItemResult><Title>only</Title><Url>u2</Url></AdItemResult></GetPublicAdsResult>";

TEST(VimaruConnector, PublicAdsNeverSendTheMemberId) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(AdsAnswer("GetPublicAds", kTwoAds))});
  ResultArray<AdEntry> ads;
  ASSERT_EQ(ConnectorFor(peer).bxGetPublicAds(SampleRequest(), ads), 2);
  ASSERT_EQ(ads.Count(), 2);
  EXPECT_EQ(ads[0].Title, u"t");
  EXPECT_EQ(ads[0].Url, u"u");
  EXPECT_EQ(ads[0].Description, u"d");
  EXPECT_EQ(ads[0].ClickUrl, u"c");
  EXPECT_EQ(ads[1].Title, u"only");
  EXPECT_FALSE(ads[1].Description.has_value());
  EXPECT_FALSE(ads[1].ClickUrl.has_value());

  const test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  const std::string& request = record.connections.at(0).requests.at(0);
  EXPECT_EQ(request.find("SECRET-MEMBER"), std::string::npos);
  EXPECT_EQ(request.find("encryptedMemberId"), std::string::npos);
  EXPECT_NE(
      request.find(
          "<offerId>60</offerId><memberIp></memberIp><cgroup>Cars</cgroup><keyword>car</keyword>"
          "<maxAds>5</maxAds><ua>Mozilla/4.0</ua><sURL>http://page/</sURL>"),
      std::string::npos);
}

TEST(VimaruConnector, MemberAdsSendAllEightFieldsAndAreChargeable) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(AdsAnswer("GetMemberAds", "<GetMemberAdsResult/>"))});
  ResultArray<AdEntry> ads;
  EXPECT_EQ(ConnectorFor(peer).bxGetMemberAds(SampleRequest(), ads), 0);
  EXPECT_TRUE(ads.IsAllocated());
  const test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  EXPECT_NE(record.connections.at(0).requests.at(0).find(
                "<encryptedMemberId>SECRET-MEMBER</encryptedMemberId><offerId>60</"
                "offerId><memberIp></memberIp>"
                "<cgroup>Cars</cgroup><keyword>car</keyword><maxAds>5</maxAds><ua>Mozilla/4.0</ua>"
                "<isChargable>true</isChargable><sURL>http://page/</sURL></GetMemberAds>"),
            std::string::npos);
}

TEST(VimaruConnector, CategoriesAndBlockedTermsAreCopied) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(AdsAnswer(
                  "GetCategoryList",
                  "<GetCategoryListResult><CategoryItem><Label>car</Label><Name>Cars</Name>"
                  "</CategoryItem><CategoryItem><Label>golf</Label><Name>Sport</Name>"
                  "</CategoryItem></GetCategoryListResult>")),
              AnswerWith(AdsAnswer(
                  "GetBlockedTermsList",
                  "<GetBlockedTermsListResult><string>casino</string><string>poker</string>"
                  "<string xsi:nil=\"true\"/><string>after the null</string>"
                  "</GetBlockedTermsListResult>"))});
  const VimaruConnector connector = ConnectorFor(peer);
  ResultArray<CategoryEntry> categories;
  ASSERT_EQ(connector.bxGetCategoryList(categories), 2);
  EXPECT_EQ(categories[1].Label, u"golf");
  EXPECT_EQ(categories[1].Name, u"Sport");

  // The term list ends at the first null term; the count says so too.
  ResultArray<CategoryEntry> terms;
  ASSERT_EQ(connector.bxGetBlockedCategoryList(terms), 2);
  ASSERT_EQ(terms.Count(), 2);
  EXPECT_EQ(terms[0].Label, u"casino");
  EXPECT_EQ(terms[1].Label, u"poker");
  EXPECT_FALSE(terms[1].Name.has_value());
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(VimaruConnector, TotalsComeFromTheStatisticsText) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(StatisticsAnswer("<StatisticsResult>12.5,3,7,1</StatisticsResult>"))});
  MemberTotals totals;
  ASSERT_EQ(ConnectorFor(peer).bxTotals(u"E1", totals), S_OK);
  EXPECT_EQ(totals.valid, 1);
  EXPECT_DOUBLE_EQ(totals.money, 12.5);
  EXPECT_EQ(totals.mailCount, 3);
  EXPECT_EQ(totals.friends, 7);
  EXPECT_EQ(totals.mailFlag, 1);
  const test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  EXPECT_NE(record.connections.at(0).requests.at(0).find("<EncMemberID>E1</EncMemberID>"),
            std::string::npos);
}

TEST(VimaruConnector, TotalsThatAreNotFourFieldsStayInvalid) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(StatisticsAnswer("<StatisticsResult>12.5,3</StatisticsResult>")),
              AnswerWith(StatisticsAnswer("")),
              AnswerWith(HttpAnswer("500 Internal Server Error", "not a fault"))});
  const VimaruConnector connector = ConnectorFor(peer);
  for (int i = 0; i < 3; ++i) {
    MemberTotals totals;
    totals.valid = 1;
    totals.money = 99;
    EXPECT_LT(connector.bxTotals(u"E1", totals), 0);
    EXPECT_EQ(totals.valid, 0);
    EXPECT_EQ(totals.money, 0);
  }
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(VimaruConnector, TotalsWithoutMemberMakeNoCall) {
  test_support::ScriptedPeer peer;
  peer.Serve({});
  MemberTotals totals;
  totals.valid = 1;
  EXPECT_EQ(ConnectorFor(peer).bxTotals(u"", totals), S_OK);
  EXPECT_EQ(totals.valid, 0);
  const test_support::PeerRecord record = peer.Finish();
  EXPECT_EQ(record.problem, "");
  EXPECT_TRUE(record.connections.empty());
}

TEST(VimaruConnector, UnreachableServiceGivesZeroAndAnAllocatedEmptyArray) {
  const std::string base = "http://127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort());
  const VimaruConnector connector(
      ServiceEndpoints{base + "/qxadsex.asmx", base + "/utils/utils.asmx"});
  ResultArray<AdEntry> ads(3);
  ads.Append(AdEntry{u"stale", {}, {}, {}});
  EXPECT_EQ(connector.bxGetPublicAds(SampleRequest(), ads), 0);
  EXPECT_TRUE(ads.IsAllocated());
  EXPECT_EQ(ads.Count(), 0);
  ResultArray<CategoryEntry> categories;
  EXPECT_EQ(connector.bxGetCategoryList(categories), 0);
  EXPECT_TRUE(categories.IsAllocated());
  MemberTotals totals;
  EXPECT_LT(connector.bxTotals(u"E1", totals), 0);
  EXPECT_EQ(totals.valid, 0);
}

// The outcome a debugging caller asks for: every operation reports the
// proxy's status, error and cause, a success clears what a failure left.
TEST(VimaruConnector, OutcomeSaysHowEachCallEnded) {
  const std::string peer = "127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort());
  const VimaruConnector unreachable(
      ServiceEndpoints{"http://" + peer + "/qxadsex.asmx", "http://" + peer + "/utils/utils.asmx"});
  const std::string refused = peer + " refused the connection";
  const auto expectRefused = [&](const CallOutcome& outcome, const char* operation) {
    EXPECT_EQ(outcome.status, E_FAIL) << operation;
    EXPECT_EQ(outcome.error, SoapClientError::kSendError) << operation;
    EXPECT_EQ(outcome.cause, refused) << operation;
  };
  CallOutcome outcome;
  ResultArray<CategoryEntry> categories;
  EXPECT_EQ(unreachable.bxGetCategoryList(categories, &outcome), 0);
  expectRefused(outcome, "categories");
  EXPECT_EQ(unreachable.bxGetBlockedCategoryList(categories, &outcome), 0);
  expectRefused(outcome, "blocked");
  ResultArray<AdEntry> ads;
  EXPECT_EQ(unreachable.bxGetPublicAds(SampleRequest(), ads, &outcome), 0);
  expectRefused(outcome, "public ads");
  EXPECT_EQ(unreachable.bxGetMemberAds(SampleRequest(), ads, &outcome), 0);
  expectRefused(outcome, "member ads");
  MemberTotals totals;
  EXPECT_EQ(unreachable.bxTotals(u"E1", totals, &outcome), E_FAIL);
  expectRefused(outcome, "totals");

  test_support::ScriptedPeer service;
  service.Serve({AnswerWith(StatisticsAnswer("<StatisticsResult>12.5,3</StatisticsResult>")),
                 AnswerWith(StatisticsAnswer("<StatisticsResult>1,2,3,0</StatisticsResult>"))});
  const VimaruConnector connector = ConnectorFor(service);
  EXPECT_EQ(connector.bxTotals(u"E1", totals, &outcome), E_UNEXPECTED);
  EXPECT_EQ(outcome.status, E_UNEXPECTED);
  EXPECT_EQ(outcome.error, SoapClientError::kSuccess);
  EXPECT_EQ(outcome.cause, "the Statistics answer is not a totals text");
  EXPECT_EQ(connector.bxTotals(u"E1", totals, &outcome), S_OK);
  EXPECT_EQ(outcome.status, S_OK);
  EXPECT_EQ(outcome.error, SoapClientError::kSuccess);
  EXPECT_EQ(outcome.cause, "");
  EXPECT_EQ(service.Finish().problem, "");
}

// COM is initialised just around the call (visible while the request goes
// out) and given back afterwards, on the success and the failure path.
TEST(VimaruConnector, ComIsInitialisedOnlyAroundTheCall) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(AdsAnswer("GetPublicAds", kTwoAds)),
              AnswerWith(HttpAnswer("404 Not Found", ""))});
  const VimaruConnector connector = ConnectorFor(peer);
  std::vector<ULONG> countsWhileSending;
  std::vector<std::string> connectorLines;
  {
    platform::ScopedTraceCapture capture([&](std::string_view line) {
      if (line == "CSoapSocketClientT::SendRequest begin")
        countsWhileSending.push_back(platform::ComInitCount());
      if (line.starts_with("VimaruConnector::")) connectorLines.emplace_back(line);
    });
    ResultArray<AdEntry> ads;
    EXPECT_EQ(connector.bxGetPublicAds(SampleRequest(), ads), 2);
    EXPECT_EQ(platform::ComInitCount(), 0u);
    EXPECT_EQ(connector.bxGetPublicAds(SampleRequest(), ads), 0);
    EXPECT_EQ(platform::ComInitCount(), 0u);
  }
  EXPECT_EQ(countsWhileSending, (std::vector<ULONG>{1, 1}));
  EXPECT_EQ(connectorLines,
            (std::vector<std::string>{
                "VimaruConnector::bxGetPublicAds begin", "VimaruConnector::bxGetPublicAds end",
                "VimaruConnector::bxGetPublicAds begin", "VimaruConnector::bxGetPublicAds end"}));
  EXPECT_EQ(peer.Finish().problem, "");
}

// A caller thread that already joined the multithreaded apartment gets
// RPC_E_CHANGED_MODE from the connector's apartment initialisation; the
// connector must not undo the caller's own initialisation.
TEST(VimaruConnector, CallerInTheOtherApartmentKeepsItsComInitialisation) {
  const std::string base = "http://127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort());
  const VimaruConnector connector(
      ServiceEndpoints{base + "/qxadsex.asmx", base + "/utils/utils.asmx"});
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  ResultArray<CategoryEntry> categories;
  connector.bxGetCategoryList(categories);
  MemberTotals totals;
  connector.bxTotals(u"E1", totals);
  EXPECT_EQ(platform::ComInitCount(), 1u);
  CoUninitialize();
  EXPECT_EQ(platform::ComInitCount(), 0u);
}

}  // namespace
}  // namespace soap
