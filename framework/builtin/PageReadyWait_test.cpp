#include "framework/builtin/PageReadyWait.h"

#include <gtest/gtest.h>

#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserObject.h"
#include "platform/clock/Clock.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace framework {
namespace {

using platform::ui::testing::CreateRecordingWindow;
using platform::ui::testing::MessageLog;

constexpr UINT kStep = WM_APP + 1;

// A browser holding its page in "loading", and a window whose posted
// messages play what would happen while the wait pumps: time passing on
// the virtual clock and the page finishing.
class PageReadyWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    browser_ = platform::CreateBrowserWindow();
    browser_->HoldPageLoading(true);
    ASSERT_EQ(browser_->Navigate(platform::Bstr(u"about:blank").Get(), nullptr, nullptr, nullptr,
                                 nullptr),
              S_OK);
    window_ = CreateRecordingWindow(log_);
    log_.handler = [this](HWND, UINT message, WPARAM advanceMs,
                          LPARAM finish) -> std::optional<LRESULT> {
      if (message != kStep) return std::nullopt;
      clock_.Advance(advanceMs);
      if (finish != 0) browser_->FinishLoading();
      return 0;
    };
  }
  void TearDown() override { DestroyWindow(window_); }

  void PostStep(WPARAM advanceMs, bool finish) {
    PostMessageW(window_, kStep, advanceMs, finish ? 1 : 0);
  }

  platform::VirtualClock clock_;
  platform::ComPtr<platform::BrowserObject> browser_;
  MessageLog log_;
  HWND window_ = nullptr;
};

TEST_F(PageReadyWaitTest, AReadyPageNeedsNoWait) {
  browser_->FinishLoading();
  EXPECT_TRUE(WaitForPageReady(browser_.Get()));
  EXPECT_TRUE(log_.Ids({kStep}).empty());
}

TEST_F(PageReadyWaitTest, PumpsMessagesUntilThePageFinishesWithinTheLimit) {
  PostStep(2000, false);
  PostStep(2999, true);
  EXPECT_TRUE(WaitForPageReady(browser_.Get()));
  EXPECT_EQ(log_.Ids({kStep}).size(), 2U);
}

TEST_F(PageReadyWaitTest, GivesUpOnceTheLimitHasPassed) {
  PostStep(4999, false);
  PostStep(1, false);
  PostStep(0, true);  // too late: the wait has given up before this arrives
  EXPECT_FALSE(WaitForPageReady(browser_.Get()));
  EXPECT_EQ(log_.Ids({kStep}).size(), 2U);
}

TEST_F(PageReadyWaitTest, QuitEndsTheWaitAndStaysQueuedForTheOuterLoop) {
  PostQuitMessage(7);
  EXPECT_FALSE(WaitForPageReady(browser_.Get()));
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7U);
}

TEST(PageReadyWait, NoBrowserMeansNoPage) { EXPECT_FALSE(WaitForPageReady(nullptr)); }

}  // namespace
}  // namespace framework
