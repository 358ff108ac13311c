#include "tools/inspect/BrowserWithToolbar.h"

#include <gtest/gtest.h>

#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"

namespace tools {
namespace {

class BrowserWithToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::MakeDirectories("C:\\Pages"));
    ASSERT_TRUE(platform::WriteWholeFile(
        "C:\\Pages\\layout.xml",
        "<toolband xmlns='http://www.vimaru.com/toolband' company='Tools' name='Tester'>"
        "<button command='Navigate' caption='Home' url='about:blank'/></toolband>"));
    ASSERT_TRUE(platform::WriteWholeFile("C:\\Pages\\page.html", "<body>Page</body>"));
  }

  platform::ScopedFileSystemRoot root_;
  platform::ScopedRegistryReset registry_;
};

TEST_F(BrowserWithToolbarTest, TheHostedToolbarTakesItsOwnRowOnTheFirstCompletedNavigation) {
  BrowserWithToolbar window("C:\\Pages\\layout.xml");
  ASSERT_NE(window.ToolBand(), nullptr);
  ASSERT_NE(window.Context(), nullptr);
  EXPECT_EQ(window.Context()->Browser(), static_cast<IWebBrowser2*>(&window.Browser()));
  EXPECT_FALSE(window.ToolbarHasOwnRow());
  ASSERT_EQ(window.Navigate(u"C:\\Pages\\page.html"), S_OK);
  EXPECT_TRUE(window.ToolbarHasOwnRow());
}

TEST_F(BrowserWithToolbarTest, ALayoutThatIsGivenUpLeavesNoToolbar) {
  ASSERT_TRUE(platform::WriteWholeFile("C:\\Pages\\foreign.xml", "<toolband/>"));
  BrowserWithToolbar window("C:\\Pages\\foreign.xml");
  EXPECT_EQ(window.ToolBand(), nullptr);
  EXPECT_EQ(window.Context(), nullptr);
  EXPECT_EQ(window.Navigate(u"C:\\Pages\\page.html"), S_OK);
  EXPECT_FALSE(window.ToolbarHasOwnRow());
}

}  // namespace
}  // namespace tools
