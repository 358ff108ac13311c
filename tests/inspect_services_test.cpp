// vimaru-tool's service subcommands against the reference service: `call`
// for every operation of both services, its argument rules and fault
// output, and the connector subcommands on overridden endpoints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "soap/ServiceConfig.h"
#include "tests/support/ScriptedPeer.h"
#include "tools/inspect/CallSubcommand.h"
#include "tools/inspect/ConnectorSubcommands.h"
#include "tools/inspect/ServiceOperationTable.h"
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
      {"GetPublicAds", "--endpoint", "notaurl"},
      {"GetPublicAds", "--endpoint", "127.0.0.1:8080/qxadsex.asmx"},
      {"GetPublicAds", "--endpoint", "http://"},
      {"--list", "extra"},
  };
  for (const std::vector<std::string>& arguments : kCases) {
    const ToolRun run = RunTool(&tools::RunCallSubcommand, arguments);
    EXPECT_EQ(run.exitCode, tools::kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err, "");
  }
  EXPECT_EQ(service_.RequestCount(), 0u);
}

// A failed call says what ended it, beside the error code that only says
// "the exchange failed", and exits 1 with the same words.
TEST_F(InspectServicesTest, CallSaysWhyTheExchangeFailed) {
  const std::string ads = service_.AdsEndpoint();
  const std::string server = ads.substr(7, ads.find('/', 7) - 7);
  const std::string refused = "127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort());
  service_.Misbehave("GetRandomKeyword", refservice::Misbehaviour::Status(404));
  service_.Misbehave("GetRandomCategory",
                     refservice::Misbehaviour::RedirectTo(302, "/qxadsex.asmx").Sticky());
  const struct {
    std::string operation;
    std::string endpoint;
    std::string message;
  } cases[] = {
      {"GetKeywordList", "http://" + refused + "/qxadsex.asmx",
       refused + " refused the connection"},
      {"GetKeywordList", "https://" + server + "/qxadsex.asmx",
       "the scheme 'https' is not supported: the client speaks only http"},
      {"GetRandomKeyword", ads, server + " answered HTTP status 404"},
      {"GetRandomCategory", ads,
       "more than 5 redirects in a row, the last from http://" + server + "/qxadsex.asmx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const ToolRun run = Call(c.operation, c.endpoint, {});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "{\n  \"status\": -2147467259,\n  \"error\": 5,\n  \"message\": \"" +
                           c.message + "\",\n  \"result\": null\n}\n");
    EXPECT_EQ(run.err, "vimaru-tool call: " + c.operation + " failed: " + c.message + "\n");
  }
  const ToolRun ok = Call("GetRandomKeyword", ads, {});
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_NE(ok.out.find("\"message\": null,"), std::string::npos) << ok.out;
}

TEST_F(InspectServicesTest, CallNamesTheParametersOfAnOperation) {
  const ToolRun wrong = Call("GetPublicAds", service_.AdsEndpoint(), {"offerid=60"});
  EXPECT_EQ(wrong.exitCode, tools::kExitUsage);
  EXPECT_EQ(wrong.err.rfind("vimaru-tool call: GetPublicAds has no parameter 'offerid'; its "
                            "parameters: offerId (int), memberIp (string), cgroup (string), "
                            "keyword (string), maxAds (int), ua (string), sURL (string)\n",
                            0),
            0u)
      << wrong.err;
  EXPECT_NE(Call("GetRandomKeyword", service_.AdsEndpoint(), {"x=1"})
                .err.find("GetRandomKeyword has no parameter 'x'; it takes none\n"),
            std::string::npos);

  const ToolRun list = RunTool(&tools::RunCallSubcommand, {"--list"});
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(list.err, "");
  for (const tools::ServiceOperation& operation : tools::ServiceOperations()) {
    EXPECT_NE(list.out.find("\"name\": \"" + std::string(operation.name) +
                            "\",\n      \"service\": \"" + std::string(operation.service) + "\""),
              std::string::npos)
        << operation.name;
  }
  EXPECT_NE(list.out.find("\"name\": \"Param1\",\n          \"type\": \"string[]\""),
            std::string::npos)
      << list.out;
  EXPECT_NE(list.out.find("\"name\": \"Param6\",\n          \"type\": \"base64Binary\""),
            std::string::npos);
  EXPECT_NE(list.out.find("\"name\": \"isChargable\",\n          \"type\": \"boolean\""),
            std::string::npos);
  EXPECT_EQ(service_.RequestCount(), 0u);
}

// The connector subcommands show an unreachable service as the product sees
// it (count 0, valid 0), and as call does: status, error, message, exit 1.
TEST_F(InspectServicesTest, ConnectorSubcommandsSayWhyTheServiceWasNotReached) {
  const std::string refused = "127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort());
  ASSERT_EQ(setenv(soap::kAdsEndpointVariable, ("http://" + refused + "/qxadsex.asmx").c_str(), 1),
            0);
  ASSERT_EQ(
      setenv(soap::kUtilsEndpointVariable, ("http://" + refused + "/utils/utils.asmx").c_str(), 1),
      0);
  const struct {
    const char* name;
    ToolRun run;
    const char* figures;
  } runs[] = {
      {"totals", RunTool(&tools::RunTotalsSubcommand, {"--member", "M"}), "\"valid\": 0,"},
      {"categories", RunTool(&tools::RunCategoriesSubcommand, {}), "\"count\": 0,"},
      {"blocked", RunTool(&tools::RunBlockedSubcommand, {}), "\"count\": 0,"},
      {"ads", RunTool(&tools::RunAdsSubcommand, {"--member", "M"}), "\"count\": 0,"},
  };
  unsetenv(soap::kAdsEndpointVariable);
  unsetenv(soap::kUtilsEndpointVariable);
  const std::string message = refused + " refused the connection";
  for (const auto& [name, run, figures] : runs) {
    SCOPED_TRACE(name);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.rfind("{\n  \"status\": -2147467259,\n  \"error\": 5,\n  \"message\": \"" +
                                message + "\",\n",
                            0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find(figures), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "vimaru-tool " + std::string(name) + ": the call failed: " + message + "\n");
  }
  EXPECT_EQ(RunTool(&tools::RunTotalsSubcommand, {"--member", ""}).exitCode, tools::kExitUsage);
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
  EXPECT_EQ(totals.out.rfind("{\n  \"status\": 0,\n  \"error\": 0,\n  \"message\": null,\n", 0), 0u)
      << totals.out;
  EXPECT_NE(totals.out.find("\"valid\": 1,"), std::string::npos) << totals.out;
  for (const ToolRun* run : {&categories, &blocked, &memberAds, &publicAds}) {
    EXPECT_EQ(run->exitCode, 0) << run->err;
    EXPECT_EQ(run->err, "");
  }
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
