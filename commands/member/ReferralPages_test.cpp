#include "commands/member/ReferralPages.h"

#include <gtest/gtest.h>

#include "session/testing/SessionTestSupport.h"

namespace commands {
namespace {

using session::ReferralValues;
using Env = session::testing::ScopedEnvironment;

class ReferralPagesTest : public ::testing::Test {
 protected:
  Env webSite_{"VIMARU_WEB_SITE", "http://product.test/"};
  Env referral_{"VIMARU_REFERRAL_DOMAIN", ".referral.test"};
};

TEST_F(ReferralPagesTest, MemberPagesFollowTheReferralRulesWhileNobodyIsLoggedIn) {
  struct Case {
    ReferralValues stored;
    const char* page;
  };
  const Case cases[] = {
      {{"4711", "bob"}, "http://www.referral.test/default.aspx?is=mymoney&mrid=4711"},
      {{std::nullopt, "bob"}, "http://bob.referral.test/default.aspx?is=mymoney"},
      {{std::nullopt, "shop.bob"}, "http://shop.bob.referral.test/default.aspx?is=mymoney"},
      {{}, "http://product.test/default.aspx?is=mymoney"},
      // The id goes in exactly as the installer stored it.
      {{"a b&x=%41", std::nullopt},
       "http://www.referral.test/default.aspx?is=mymoney&mrid=a b&x=%41"},
      // An empty id credits nobody; a sub-domain that is no host name is
      // not taken, so no value can move the page to another host.
      {{"", "bob"}, "http://bob.referral.test/default.aspx?is=mymoney"},
      {{std::nullopt, "evil.example/x?"}, "http://product.test/default.aspx?is=mymoney"},
      {{std::nullopt, ""}, "http://product.test/default.aspx?is=mymoney"},
  };
  for (const Case& item : cases) {
    EXPECT_EQ(MemberPage("mymoney", false, [&] { return item.stored; }), item.page);
  }
}

TEST_F(ReferralPagesTest, ALoggedInMemberGoesToTheProductSiteWithoutAnyRegistryRead) {
  int reads = 0;
  const std::string page = MemberPage("friends", true, [&] {
    ++reads;
    return ReferralValues{"4711", "bob"};
  });
  EXPECT_EQ(page, "http://product.test/default.aspx?is=friends");
  EXPECT_EQ(reads, 0);
}

TEST_F(ReferralPagesTest, RegistrationFollowsTheSameRulesWithItsOwnPages) {
  EXPECT_EQ(RegistrationPage({"4711", "bob"}), "http://www.referral.test/default.aspx?mrid=4711");
  EXPECT_EQ(RegistrationPage({std::nullopt, "bob"}), "http://bob.referral.test/default.aspx");
  EXPECT_EQ(RegistrationPage({}), "http://product.test/default.aspx?is=joinfree");
  EXPECT_EQ(RegistrationPage({"", "bad host"}), "http://product.test/default.aspx?is=joinfree");
}

TEST_F(ReferralPagesTest, ADomainOverrideMayLeaveOutItsDotAndCarryAPort) {
  Env loopback{"VIMARU_REFERRAL_DOMAIN", "localhost:8080"};
  EXPECT_EQ(RegistrationPage({"7", std::nullopt}), "http://www.localhost:8080/default.aspx?mrid=7");
  EXPECT_EQ(MemberPage("friends", false,
                       [] {
                         return ReferralValues{std::nullopt, "bob"};
                       }),
            "http://bob.localhost:8080/default.aspx?is=friends");
}

}  // namespace
}  // namespace commands
