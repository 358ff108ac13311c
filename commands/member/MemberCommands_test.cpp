#include "commands/member/MemberCommands.h"

#include <gtest/gtest.h>

#include "commands/testing/ProductTab.h"

namespace commands {
namespace {

using testing::ProductTab;
using testing::StoreReferral;

class MemberCommandsTest : public testing::ProductCommandsTest {};

TEST_F(MemberCommandsTest, TheTabHidesTheMemberButtonsAndKeepsRegistrationShown) {
  ProductTab tab;
  for (const char* hidden : {kMoneyCommand, kTellFriendsCommand, kVmailCommand}) {
    ASSERT_NE(tab.Command(hidden), nullptr) << hidden;
    EXPECT_FALSE(tab.Command(hidden)->IsEnabled()) << hidden;
  }
  ASSERT_NE(tab.Command(kRegisterCommand), nullptr);
  EXPECT_TRUE(tab.Command(kRegisterCommand)->IsEnabled());
  EXPECT_EQ(tab.Context().RegisterCommand(), tab.Command(kRegisterCommand));
}

TEST_F(MemberCommandsTest, AReferralIdBeatsTheSubDomainOnEveryMemberPage) {
  StoreReferral("ReferalId", "4711");
  StoreReferral("ReferalSubDomain", "bob");
  ProductTab tab;
  tab.Click(kMoneyCommand);
  tab.Click(kTellFriendsCommand);
  tab.Click(kRegisterCommand);
  EXPECT_EQ(tab.Pages(), (std::vector<std::string>{
                             "http://www.referral.test/default.aspx?is=mymoney&mrid=4711",
                             "http://www.referral.test/default.aspx?is=friends&mrid=4711",
                             "http://www.referral.test/default.aspx?mrid=4711",
                         }));
}

TEST_F(MemberCommandsTest, WhileLoggedInMemberPagesAreTheProductsButRegistrationStaysReferred) {
  StoreReferral("ReferalSubDomain", "bob");
  ProductTab tab;
  tab.SetLoggedIn(true);
  tab.Click(kMoneyCommand);
  tab.Click(kTellFriendsCommand);
  tab.Click(kRegisterCommand);
  EXPECT_EQ(tab.Pages(), (std::vector<std::string>{
                             "http://product.test/default.aspx?is=mymoney",
                             "http://product.test/default.aspx?is=friends",
                             "http://bob.referral.test/default.aspx",
                         }));
}

TEST_F(MemberCommandsTest, AnUnreadableReferralKeyFallsThroughToTheProductSite) {
  StoreReferral("ReferalId", "4711");
  platform::DenyRegistryOpen(HKEY_LOCAL_MACHINE, session::kReferralKey);
  ProductTab tab;
  tab.Click(kTellFriendsCommand);
  tab.Click(kRegisterCommand);
  EXPECT_EQ(tab.Pages(), (std::vector<std::string>{
                             "http://product.test/default.aspx?is=friends",
                             "http://product.test/default.aspx?is=joinfree",
                         }));
}

TEST_F(MemberCommandsTest, VmailEnrolsALoggedInMemberAndSendsAnyoneElseHome) {
  ProductTab tab;
  tab.Click(kVmailCommand);
  tab.SetLoggedIn(true);
  tab.Click(kVmailCommand);
  tab.SetLoggedIn(false);
  tab.Click(kVmailCommand);
  EXPECT_EQ(tab.Pages(), (std::vector<std::string>{
                             "http://product.test/default.aspx",
                             "https://mail.test/enrollment.php",
                             "http://product.test/default.aspx",
                         }));
  for (const testing::Navigation& navigation : tab.Browser().Navigations()) {
    EXPECT_FALSE(navigation.hasFlags);
  }
}

}  // namespace
}  // namespace commands
