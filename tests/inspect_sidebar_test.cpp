// vimaru-tool sidebar against the reference service: the request's eight
// fields as sent, the operation that fits the member, the referral values
// in a visitor's join link, and usage errors.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "soap/ServiceConfig.h"
#include "tools/inspect/SidebarSubcommand.h"
#include "tools/refservice/ReferenceService.h"

namespace {

struct ToolRun {
  int exitCode;
  std::string out;
  std::string err;
};

class InspectSidebarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(setenv(soap::kAdsEndpointVariable, service_.AdsEndpoint().c_str(), 1), 0);
  }
  void TearDown() override { unsetenv(soap::kAdsEndpointVariable); }

  ToolRun Sidebar(std::vector<std::string> arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = tools::RunSidebarSubcommand(views, out, err);
    return {exitCode, out.str(), err.str()};
  }

  refservice::ReferenceService service_;
};

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(InspectSidebarTest, AVisitorsRequestAndFragmentArePrinted) {
  const std::string group = service_.Data().categories.at(0).name;
  const ToolRun run = Sidebar({"--category", group, "--url", "http://pages.example/a",
                               "--user-agent", "UA/1", "--referral-id", "4242"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "\"memberId\": \"\"")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"offerId\": \"60\""));
  EXPECT_TRUE(Has(run.out, "\"category\": \"" + group + "\""));
  EXPECT_TRUE(Has(run.out, "\"mostAds\": \"5\""));
  EXPECT_TRUE(Has(run.out, "\"userAgent\": \"UA/1\""));
  EXPECT_TRUE(Has(run.out, "\"pageUrl\": \"http://pages.example/a\""));
  EXPECT_TRUE(Has(run.out, "4242"));  // the join link carries the referrer
  const auto requests = service_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].operation, "GetPublicAds");
}

TEST_F(InspectSidebarTest, AMemberGetsMemberAds) {
  const std::string& member = service_.Data().members.at(0).encMemberId;
  const ToolRun run = Sidebar({"--member", member});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "\"memberId\": \"" + member + "\""));
  const auto requests = service_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].operation, "GetMemberAds");
}

TEST_F(InspectSidebarTest, UnknownOrIncompleteOptionsAreUsageErrors) {
  EXPECT_EQ(Sidebar({"--colour", "red"}).exitCode, 2);
  EXPECT_EQ(Sidebar({"--member"}).exitCode, 2);
  EXPECT_EQ(Sidebar({"--url", "a", "--url", "b"}).exitCode, 2);
  EXPECT_EQ(service_.RequestCount(), 0u);
}

}  // namespace
