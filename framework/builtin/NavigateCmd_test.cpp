#include <gtest/gtest.h>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/BuiltinPageFixture.h"

namespace framework {
namespace {

class NavigateCmdTest : public testing::BuiltinPageTest {
 protected:
  void SetUp() override {
    BuiltinPageTest::SetUp();
    Initialise(command_);
  }
  const platform::NavigationRecord& LastNavigation() { return browser_->Navigations().back(); }

  NavigateCmdC command_{"Navigate"};
};

TEST_F(NavigateCmdTest, AnEmptyUrlFallsBackToTheParameter) {
  Click(command_, "<button url='' parameter='about:blank'/>");
  ASSERT_EQ(browser_->Navigations().size(), 1U);
  EXPECT_EQ(LastNavigation().url, u"about:blank");
  EXPECT_FALSE(LastNavigation().flags.has_value());
  EXPECT_EQ(LastNavigation().targetFrame, u"");
  EXPECT_EQ(LastNavigation().postData, "");
  EXPECT_EQ(LastNavigation().headers, u"");
}

TEST_F(NavigateCmdTest, AFileNextToTheLayoutIsOpenedByItsPath) {
  Write("C:\\Toolbar\\help.htm", "<body>Help</body>");
  Click(command_, "<button url='help.htm' parameter='about:blank'/>");
  EXPECT_EQ(LastNavigation().url, u"C:\\Toolbar/help.htm");
  EXPECT_EQ(browser_->Document()->Url().find(u"help.htm") != std::u16string::npos, true);
}

TEST_F(NavigateCmdTest, AddressesAreUnescapedAndEscapedAgainExactlyOnce) {
  Click(command_, "<button url='http://127.0.0.1:1/a b/c%20d?q=x y&amp;r=%41'/>");
  EXPECT_EQ(LastNavigation().url, u"http://127.0.0.1:1/a%20b/c%20d?q=x%20y&r=A");
}

TEST_F(NavigateCmdTest, PlaceholdersExpandAndTheTargetFrameIsNamed) {
  Open(u"C:\\Pages\\top.htm");
  context_.AddTextCommand("Search", "C:\\Pages\\plain.htm");
  Click(command_, "<button url='##Search##' target='side'/>");
  EXPECT_EQ(LastNavigation().url, u"C:\\Pages\\plain.htm");
  EXPECT_EQ(LastNavigation().targetFrame, u"side");
}

}  // namespace
}  // namespace framework
