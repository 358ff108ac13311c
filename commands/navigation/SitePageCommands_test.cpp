#include "commands/navigation/SitePageCommands.h"

#include <gtest/gtest.h>

#include "commands/navigation/AutoViewC.h"
#include "commands/testing/ProductTab.h"
#include "soap/ServiceConfig.h"

namespace commands {
namespace {

using testing::Navigation;
using testing::ProductTab;

class SitePageCommandsTest : public testing::ProductCommandsTest {};

TEST_F(SitePageCommandsTest, MenuItemsOpenTheirPageInTheSameWindow) {
  struct Case {
    const char* progId;
    const char* page;
  };
  const Case cases[] = {
      {kVmailLinkCommand, "http://mail.test"},
      {kPrivacyCommand, "http://product.test/Docs/terms.aspx#pp"},
      {kHelpCommand, "http://product.test/public/Help.aspx"},
  };
  for (const Case& item : cases) {
    ProductTab tab;
    ASSERT_NE(tab.Command(item.progId), nullptr) << item.progId;
    EXPECT_TRUE(tab.Command(item.progId)->IsEnabled()) << item.progId;
    EXPECT_EQ(tab.Command(item.progId)->Text(), "") << "the layout's caption stands";
    tab.Click(item.progId);
    ASSERT_EQ(tab.Browser().Navigations().size(), 1u) << item.progId;
    EXPECT_EQ(tab.Browser().Navigations()[0].url, item.page);
    EXPECT_FALSE(tab.Browser().Navigations()[0].hasFlags) << "no new-window flag at all";
  }
}

TEST_F(SitePageCommandsTest, AWebSiteOverrideWithoutItsClosingSlashStillLeadsIntoTheSite) {
  Env site{"VIMARU_WEB_SITE", "http://127.0.0.1:8080/site"};
  ProductTab tab;
  tab.Click(kHelpCommand);
  EXPECT_EQ(tab.Pages(), std::vector<std::string>{"http://127.0.0.1:8080/site/public/Help.aspx"});
}

TEST_F(SitePageCommandsTest, AnEmptyOverrideLeavesTheBuiltSite) {
  Env site{"VIMARU_WEB_SITE", ""};
  Env mail{"VIMARU_MAIL_SITE", ""};
  ProductTab tab;
  tab.Click(kHelpCommand);
  tab.Click(kVmailLinkCommand);
  EXPECT_EQ(tab.Pages(), (std::vector<std::string>{std::string(soap::kWebSite) + "public/Help.aspx",
                                                   soap::kBuiltInMailSite}));
}

TEST_F(SitePageCommandsTest, AutoViewStaysDisabledAndDoesNothing) {
  ProductTab tab;
  framework::CommandC* autoView = tab.Command(kAutoViewCommand);
  ASSERT_NE(autoView, nullptr);
  EXPECT_FALSE(autoView->IsEnabled());
  tab.Click(kAutoViewCommand);
  EXPECT_FALSE(autoView->IsEnabled());
  EXPECT_EQ(autoView->Checked(), 0);
  EXPECT_TRUE(tab.Pages().empty());
}

}  // namespace
}  // namespace commands
