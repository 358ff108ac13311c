#include "session/sidebar/JoinLink.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "soap/ServiceConfig.h"

namespace session {
namespace {

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

TEST(IsValidReferralSubDomain, AcceptsHostNameLabels) {
  const std::string longest = std::string(63, 'a') + '.' + std::string(63, 'b') + '.' +
                              std::string(63, 'c') + '.' + std::string(61, 'd');
  ASSERT_EQ(longest.size(), 253u);
  for (const std::string& subDomain :
       {std::string("bob"), std::string("a"), std::string("Bob-Smith2"), std::string("-"),
        std::string("shop.bob"), std::string("a.b.c.d"), std::string(63, 'x'), longest}) {
    EXPECT_TRUE(IsValidReferralSubDomain(subDomain)) << subDomain;
  }
}

TEST(IsValidReferralSubDomain, RefusesAnythingElse) {
  const std::string tooLong = std::string(63, 'a') + '.' + std::string(63, 'b') + '.' +
                              std::string(63, 'c') + '.' + std::string(62, 'd');
  ASSERT_EQ(tooLong.size(), 254u);
  for (const std::string& subDomain :
       {std::string(), std::string("."), std::string("bob."), std::string(".bob"),
        std::string("a..b"), std::string(64, 'x'), tooLong, std::string("bob_smith"),
        std::string("bob smith"), std::string("bob\xe9"), std::string("evil.example/x"),
        std::string("evil.example:80"), std::string("evil.example?"), std::string("a\"b"),
        std::string("a<b"), std::string("a@evil"), std::string("a\\b"), std::string("a\0b", 3)}) {
    EXPECT_FALSE(IsValidReferralSubDomain(subDomain)) << subDomain;
  }
}

TEST(JoinLinkUrl, PrefersTheIdThenTheSubDomainThenJoinsFree) {
  const std::u16string joinFree = Widen(soap::kWebSite) + u"default.aspx?is=joinfree";
  EXPECT_EQ(JoinLinkUrl({"77", "bob"}), Widen(soap::kReferralSite) + u"default.aspx?mrid=77");
  EXPECT_EQ(JoinLinkUrl({std::nullopt, "bob"}),
            u"http://bob" + Widen(soap::kReferralDomain) + u"/default.aspx");
  EXPECT_EQ(JoinLinkUrl({"", "bob"}),
            u"http://bob" + Widen(soap::kReferralDomain) + u"/default.aspx")
      << "an empty id credits nobody";
  EXPECT_EQ(JoinLinkUrl({std::nullopt, "bob/evil"}), joinFree);
  EXPECT_EQ(JoinLinkUrl({"", ""}), joinFree);
  EXPECT_EQ(JoinLinkUrl({}), joinFree);
}

TEST(JoinLinkUrl, TheIdIsAnsiTextEncodedAsOneQueryValue) {
  // 0x80 is the euro sign in Windows-1252, not a Latin-1 control.
  EXPECT_EQ(
      JoinLinkUrl({"a b&is=joinfree#\x80\xe9", std::nullopt}),
      Widen(soap::kReferralSite) + u"default.aspx?mrid=a%20b%26is%3Djoinfree%23%E2%82%AC%C3%A9");
}

// The sites a host points the product at reach the sidebar's links too.
TEST(JoinLinkUrl, FollowsTheSitesTheEnvironmentNames) {
  ::setenv(soap::kReferralDomainVariable, ".referral.test:8080", 1);
  ::setenv(soap::kWebSiteVariable, "http://127.0.0.1:8080/", 1);
  const std::u16string subDomain = JoinLinkUrl({std::nullopt, "bob"});
  const std::u16string joinFree = JoinLinkUrl({});
  ::unsetenv(soap::kReferralDomainVariable);
  ::unsetenv(soap::kWebSiteVariable);
  EXPECT_EQ(subDomain, u"http://bob.referral.test:8080/default.aspx");
  EXPECT_EQ(joinFree, u"http://127.0.0.1:8080/default.aspx?is=joinfree");
}

}  // namespace
}  // namespace session
