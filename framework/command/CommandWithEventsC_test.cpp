#include "framework/command/CommandWithEventsC.h"

#include <gtest/gtest.h>

#include "platform/browser/testing/NullWebBrowser.h"
#include "platform/com/ComObject.h"

namespace framework {
namespace {

class FakeBrowser : public platform::NullWebBrowser {};

TEST(CommandWithEventsC, SinkConnectsOnTheFirstTextNoticeOnceABrowserIsKnown) {
  CommandWithEventsC command("FindNext");
  command.TextNotice("before initialisation");
  EXPECT_FALSE(command.IsSinkConnected());

  platform::ComPtr<FakeBrowser> browser = platform::Make<FakeBrowser>();
  command.Initialise(nullptr, platform::ComPtr<IWebBrowser2>(browser.Get()), nullptr);
  EXPECT_FALSE(command.IsSinkConnected());
  command.TextNotice("page");
  EXPECT_TRUE(command.IsSinkConnected());
  EXPECT_EQ(command.Browser(), browser.Get());
}

}  // namespace
}  // namespace framework
