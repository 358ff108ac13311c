// vimaru-tool's service subcommands against the reference service: `call`
// for every operation of both services, its argument rules and fault
// output, and the connector subcommands on overridden endpoints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "soap/ServiceConfig.h"
#include "tools/inspect/CallSubcommand.h"
#include "tools/inspect/ConnectorSubcommands.h"
#include "tools/refservice/ReferenceService.h"

namespace {

struct ToolRun {
  int exitCode;
  std::string out;
  std::string err;
};

using Runner = int (*)(tools::SubcommandArguments, std::ostream&, std::ostream&);

ToolRun RunTool(Runner runner, const std::vector<std::string>& arguments) {
  const std::vector<std::string_view> views(arguments.begin(), arguments.end());
  std::ostringstream out;
  std::ostringstream err;
  const int exitCode = runner(views, out, err);
  return {exitCode, out.str(), err.str()};
}

class InspectServicesTest : public ::testing::Test {
 protected:
  ToolRun Call(const std::string& operation, const std::string& endpoint,
               std::vector<std::string> assignments) {
    std::vector<std::string> arguments{operation, "--endpoint", endpoint};
    arguments.insert(arguments.end(), assignments.begin(), assignments.end());
    return RunTool(&tools::RunCallSubcommand, arguments);
  }

  refservice::ReferenceService service_;
};

TEST_F(InspectServicesTest, CallRunsEveryOperationOfBothServices) {
  const refservice::Member& member = service_.Data().members.at(0);
  const std::string ads = service_.AdsEndpoint();
  const std::string utils = service_.UtilsEndpoint();
  const struct {
    std::string operation;
    std::string endpoint;
    std::vector<std::string> assignments;
    std::string expected;  // a piece of the JSON result
  } kCases[] = {
      {"GetPublicAdsEx",
       ads,
       {"offerId=60", "cgroup=Autos", "maxAds=2", "bFix=false"},
       "\"GetPublicAdsExResult\": ["},
      {"GetRandomKeyword", ads, {}, "\"GetRandomKeywordResult\": \""},
      {"GetRandomCategory", ads, {}, "\"GetRandomCategoryResult\": \""},
      {"GetMemberAdsEx",
       ads,
       {"encryptedMemberId=" + member.encMemberId, "cgroup=Travel", "maxAds=1", "isChargable=true"},
       "member=" + member.encMemberId},
      {"GetMemberAds",
       ads,
       {"encryptedMemberId=" + member.encMemberId, "cgroup=Autos", "maxAds=3", "isChargable=1"},
       "\"GetMemberAdsResult\": ["},
      {"testAds", ads, {"cgroup=Autos", "maxAds=1", "testNami=true"}, "\"FeedType\": \"Nami\""},
      {"GetBlockedTermsList", ads, {}, "\"" + service_.Data().blockedTerms.at(0) + "\""},
      {"GetKeywordList", ads, {}, "\"GetKeywordListResult\": ["},
      {"GetPublicAds", ads, {"offerId=60", "cgroup=Autos", "maxAds=5"}, "\"ClickUrl\": \""},
      {"TestPublicAds", ads, {}, "\"TestPublicAdsResult\": ["},
      {"GetCategoryList", ads, {}, "\"Label\": \"" + service_.Data().categories.at(0).label + "\""},
      {"Statistics",
       utils,
       {"EncMemberID=" + member.encMemberId},
       "\"StatisticsResult\": \"" + member.statistics + "\""},
      {"StatisticsEx",
       utils,
       {"EncMemberID=" + member.encMemberId, "EncSessionID=s"},
       "\"StatisticsExResult\""},
      {"Enroll", utils, {"OfferID=60", "EncMemberID=" + member.encMemberId}, "\"EnrollResult\": "},
      {"Login",
       utils,
       {"Email=" + member.email, "Password=" + member.password,
        "SecurityQuestionId=" + std::to_string(member.securityQuestionId),
        "SecurityQuestionAnswer=" + member.securityAnswer, "OfferID=60"},
       "\"EncMemberId\": \"" + member.encMemberId + "\""},
      {"VersionInfo2",
       utils,
       {"OfferID=60"},
       "\"VersionNumber\": \"" + service_.Data().version.versionNumber + "\""},
      {"GetEncryptedUserIDFromLogin",
       utils,
       {"VimaruID=" + member.email, "Password=" + member.password},
       "\"GetEncryptedUserIDFromLoginResult\""},
      {"VersionInfo", utils, {"OfferID=60"}, "\"UpgradeRequired\": "},
      {"SSO", utils, {"OfferID=60", "EncMemberID=" + member.encMemberId}, "\"SSOResult\""},
      {"StatisticsExCheckCookie", utils, {}, "\"StatisticsExCheckCookieResult\""},
      {"LogError", utils, {"Param1=a", "Param1=b", "Param3=", "Param6=aGk="}, "\"result\": {}"},
  };
  for (const auto& test : kCases) {
    SCOPED_TRACE(test.operation);
    const ToolRun run = Call(test.operation, test.endpoint, test.assignments);
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("\"status\": 0,"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"error\": 0,"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(test.expected), std::string::npos) << run.out;
  }
  EXPECT_EQ(service_.RequestCount(), std::size(kCases));
}

// Omitted strings go as nil, NAME= as an empty string, arrays item by item.
TEST_F(InspectServicesTest, CallSendsNilEmptyAndRepeatedValuesAsAsked) {
  ASSERT_EQ(Call("GetPublicAds", service_.AdsEndpoint(), {"memberIp=", "cgroup=Autos"}).exitCode,
            0);
  ASSERT_EQ(Call("LogError", service_.UtilsEndpoint(), {"Param2=x", "Param2=y"}).exitCode, 0);
  const std::vector<refservice::RecordedRequest> requests = service_.Requests();
  ASSERT_EQ(requests.size(), 2u);
  const refservice::SoapCall ads{{}, {}, requests[0].parameters};
  ASSERT_NE(ads.Find("memberIp"), nullptr);
  EXPECT_FALSE(ads.Find("memberIp")->nil);
  EXPECT_EQ(ads.Find("memberIp")->text, "");
  EXPECT_TRUE(ads.Find("keyword")->nil);
  EXPECT_EQ(ads.Find("maxAds")->text, "0");
  const refservice::SoapCall logError{{}, {}, requests[1].parameters};
  ASSERT_NE(logError.Find("Param2"), nullptr);
  EXPECT_EQ(logError.Find("Param2")->items, (std::vector<std::optional<std::string>>{"x", "y"}));
}

TEST_F(InspectServicesTest, CallPrintsTheFaultAndFailsTheExit) {
  refservice::SoapFault fault;
  fault.code = "soap:Client";
  fault.string = "Bad member";
  fault.actor = "http://ads/";
  fault.detailXml = "<reason>x</reason>";
  service_.Misbehave("Statistics", refservice::Misbehaviour::Fault(fault));
  const ToolRun run = Call("Statistics", service_.UtilsEndpoint(), {"EncMemberID=E"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("\"error\": 7,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"result\": null"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"code\": \"Client\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"string\": \"Bad member\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"actor\": \"http://ads/\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"detail\": \"<reason>x</reason>\""), std::string::npos) << run.out;
}

TEST_F(InspectServicesTest, BadCallArgumentsSendNothing) {
  const std::string ads = service_.AdsEndpoint();
  const std::vector<std::vector<std::string>> kCases = {
      {},
      {"NoSuchOperation", "--endpoint", ads},
      {"GetPublicAds"},
      {"GetPublicAds", "--endpoint"},
      {"GetPublicAds", "--endpoint", ads, "maxAds=five"},
      {"GetPublicAds", "--endpoint", ads, "unknown=1"},
      {"GetPublicAds", "--endpoint", ads, "cgroup"},
      {"GetPublicAds", "--endpoint", ads, "cgroup=a", "cgroup=b"},
      {"GetMemberAds", "--endpoint", ads, "isChargable=yes"},
  };
  for (const std::vector<std::string>& arguments : kCases) {
    const ToolRun run = RunTool(&tools::RunCallSubcommand, arguments);
    EXPECT_EQ(run.exitCode, tools::kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err, "");
  }
  EXPECT_EQ(service_.RequestCount(), 0u);
}

TEST_F(InspectServicesTest, ConnectorSubcommandsUseTheConfiguredEndpoints) {
  const refservice::Member& member = service_.Data().members.at(0);
  ASSERT_EQ(setenv(soap::kAdsEndpointVariable, service_.AdsEndpoint().c_str(), 1), 0);
  ASSERT_EQ(setenv(soap::kUtilsEndpointVariable, service_.UtilsEndpoint().c_str(), 1), 0);
  const ToolRun totals = RunTool(&tools::RunTotalsSubcommand, {"--member", member.encMemberId});
  const ToolRun categories = RunTool(&tools::RunCategoriesSubcommand, {});
  const ToolRun blocked = RunTool(&tools::RunBlockedSubcommand, {});
  const ToolRun memberAds =
      RunTool(&tools::RunAdsSubcommand, {"--member", member.encMemberId, "--category", "Autos"});
  const ToolRun publicAds =
      RunTool(&tools::RunAdsSubcommand, {"--category", "Autos", "--url", "http://x/"});
  unsetenv(soap::kAdsEndpointVariable);
  unsetenv(soap::kUtilsEndpointVariable);

  EXPECT_EQ(totals.exitCode, 0);
  EXPECT_NE(totals.out.find("\"valid\": 1,"), std::string::npos) << totals.out;
  EXPECT_NE(totals.out.find("\"money\": 12.5,"), std::string::npos) << totals.out;
  EXPECT_NE(
      categories.out.find("\"count\": " + std::to_string(service_.Data().categories.size()) + ","),
      std::string::npos);
  EXPECT_NE(blocked.out.find("\"" + service_.Data().blockedTerms.at(0) + "\""), std::string::npos);
  EXPECT_NE(memberAds.out.find("member=" + member.encMemberId), std::string::npos) << memberAds.out;
  EXPECT_EQ(publicAds.out.find("member="), std::string::npos);
  EXPECT_NE(publicAds.out.find("\"Title\": \""), std::string::npos);

  std::vector<std::string> operations;
  for (const refservice::RecordedRequest& request : service_.Requests())
    operations.push_back(request.operation);
  EXPECT_EQ(operations,
            (std::vector<std::string>{"Statistics", "GetCategoryList", "GetBlockedTermsList",
                                      "GetMemberAds", "GetPublicAds"}));
  EXPECT_EQ(RunTool(&tools::RunTotalsSubcommand, {}).exitCode, tools::kExitUsage);
  EXPECT_EQ(RunTool(&tools::RunAdsSubcommand, {"--bogus", "1"}).exitCode, tools::kExitUsage);
}

}  // namespace
