#include "framework/command/CommandWithEventsC.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/automation/Bstr.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/browser/BrowserObject.h"
#include "platform/browser/testing/NullWebBrowser.h"
#include "platform/com/ComObject.h"

namespace framework {
namespace {

class FakeBrowser : public platform::NullWebBrowser {};

// Records the events the base hands on, and can act on one.
class RecordingCommand : public CommandWithEventsC {
 public:
  using CommandWithEventsC::CommandWithEventsC;
  using CommandWithEventsC::ConnectBrowserEvents;

  std::vector<DISPID> events;
  std::function<void(DISPID)> onEvent;

 protected:
  void OnBrowserEvent(DISPID id) override {
    events.push_back(id);
    if (onEvent) onEvent(id);
  }
};

class CommandWithEventsTest : public ::testing::Test {
 protected:
  void TearDown() override { browser_->Quit(); }

  void Initialise(CommandC& command) {
    command.Initialise(nullptr, platform::ComPtr<IWebBrowser2>(browser_.Get()), nullptr);
  }
  void OpenBlankPage() {
    ASSERT_EQ(browser_->Navigate(platform::Bstr(u"about:blank").Get(), nullptr, nullptr, nullptr,
                                 nullptr),
              S_OK);
  }

  platform::ComPtr<platform::BrowserObject> browser_ = platform::CreateBrowserWindow();
};

TEST_F(CommandWithEventsTest, SinkConnectsOnTheFirstTextNoticeOnceABrowserIsKnown) {
  CommandWithEventsC command("FindNext");
  command.TextNotice("before initialisation");
  EXPECT_FALSE(command.IsSinkConnected());

  Initialise(command);
  EXPECT_FALSE(command.IsSinkConnected());
  EXPECT_EQ(browser_->EventSinkCount(), 0U);
  command.TextNotice("page");
  EXPECT_TRUE(command.IsSinkConnected());
  EXPECT_EQ(command.Browser(), browser_.Get());
  command.TextNotice("again");
  EXPECT_EQ(browser_->EventSinkCount(), 1U);
}

TEST_F(CommandWithEventsTest, ABrowserWithoutEventsLeavesTheSinkUnconnected) {
  CommandWithEventsC command("FindNext");
  platform::ComPtr<FakeBrowser> browser = platform::Make<FakeBrowser>();
  command.Initialise(nullptr, platform::ComPtr<IWebBrowser2>(browser.Get()), nullptr);
  command.TextNotice("page");
  EXPECT_FALSE(command.IsSinkConnected());
}

TEST_F(CommandWithEventsTest, EveryBrowserEventReachesTheCommandInOrder) {
  RecordingCommand command("FindNext");
  Initialise(command);
  OpenBlankPage();
  EXPECT_TRUE(command.events.empty());

  command.TextNotice("page");
  OpenBlankPage();
  const std::vector<DISPID> expected = {DISPID_BEFORENAVIGATE2, DISPID_DOWNLOADBEGIN,
                                        DISPID_NAVIGATECOMPLETE2, DISPID_DOWNLOADCOMPLETE,
                                        DISPID_DOCUMENTCOMPLETE};
  EXPECT_EQ(command.events, expected);
}

TEST_F(CommandWithEventsTest, AGoneCommandLeavesTheBrowserAndHearsNothing) {
  auto command = std::make_unique<RecordingCommand>("Highlight");
  Initialise(*command);
  command->ConnectBrowserEvents();
  ASSERT_EQ(browser_->EventSinkCount(), 1U);
  command.reset();
  EXPECT_EQ(browser_->EventSinkCount(), 0U);
  OpenBlankPage();
}

TEST_F(CommandWithEventsTest, ACommandDestroyedByItsOwnEventDoesNotBreakTheDelivery) {
  auto command = std::make_unique<RecordingCommand>("Highlight");
  Initialise(*command);
  command->ConnectBrowserEvents();
  command->onEvent = [&command](DISPID) { command.reset(); };
  OpenBlankPage();
  EXPECT_EQ(command, nullptr);
  EXPECT_EQ(browser_->EventSinkCount(), 0U);
}

TEST(WebBrowserEventsC, PageChangeEventsAreTheFourAfterWhichThePageIsAnother) {
  for (DISPID id : {DISPID_DOWNLOADCOMPLETE, DISPID_BEFORENAVIGATE2, DISPID_NAVIGATECOMPLETE2,
                    DISPID_DOCUMENTCOMPLETE}) {
    EXPECT_TRUE(IsPageChangeEvent(id)) << id;
  }
  for (DISPID id : {DISPID_DOWNLOADBEGIN, DISPID_ONQUIT, DISPID_TITLECHANGE, DISPID_NEWWINDOW2}) {
    EXPECT_FALSE(IsPageChangeEvent(id)) << id;
  }
}

}  // namespace
}  // namespace framework
