#include "session/tab/HookC.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/clock/Clock.h"
#include "platform/com/Guid.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/MessageQueue.h"
#include "session/TabContextC.h"
#include "session/categories/CategoryCacheFile.h"
#include "session/testing/SessionTestSupport.h"

namespace session {
namespace {

const std::string kCachePath = "C:\\Program Files\\Internet Explorer\\iexplore.cl";

// The tab's toolbar as the browser hosts it, with the session's lists
// cached and every ads request counted rather than sent.
class HookCTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::CreateSettingsKey();
    CategoryLists lists{{{u"cheap flights", u"Travel"}, {u"hotel", u"Stay"}}, {u"casino"}};
    ASSERT_TRUE(WriteCategoryCache(kCachePath, lists));
    ASSERT_TRUE(platform::SetFileLastWriteTime(kCachePath, platform::WallClockNow()));
    GlobalSinglton::SetAdsRequestStarter([this](std::shared_ptr<TabContextC> record) {
      requested_.push_back(record->categoryIndex);
    });
    hook_ = platform::Make<HookC>(ProductCommandTable{});
    ASSERT_EQ(frame_.AddToolbar(static_cast<IDeskBand*>(hook_.Get()), CLSID_IEHook), S_OK);
    ASSERT_NE(hook_->TabContext(), nullptr);
  }
  void TearDown() override {
    frame_.Quit();
    GlobalSinglton::SetAdsRequestStarter(nullptr);
    platform::WaitForWorkerThreads();
    platform::ui::RunUntilIdle();
  }

  void Open(const std::string& name, const std::string& html) {
    const std::string path = "C:\\pages\\" + name;
    ASSERT_TRUE(platform::MakeDirectories("C:\\pages"));
    ASSERT_TRUE(platform::WriteWholeFile(path, html));
    ASSERT_EQ(frame_.Browser().Navigate(platform::Bstr(platform::AnsiToWide(path)).Get(), nullptr,
                                        nullptr, nullptr, nullptr),
              S_OK);
  }

  int BarCalls(bool show) {
    int count = 0;
    for (const auto& call : frame_.Browser().BrowserBarCalls()) {
      if (call.show == show &&
          platform::FormatGuid(call.clsid) == "{21B3866C-DD0C-4675-A87C-A62BF21366AF}") {
        ++count;
      }
    }
    return count;
  }

  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  testing::ScopedEnvironment ads_{"VIMARU_ADS_ENDPOINT", "http://127.0.0.1:9/qxadsex.asmx"};
  testing::ScopedEnvironment utils_{"VIMARU_UTILS_ENDPOINT", "http://127.0.0.1:9/utils/utils.asmx"};
  platform::BrowserFrame frame_;
  platform::ComPtr<HookC> hook_;
  std::vector<int> requested_;
};

TEST_F(HookCTest, NavigationStartsCompletedDocumentsAndQuittingHideTheSidebar) {
  Open("plain.htm", "<html><body>cheap flights</body></html>");
  EXPECT_EQ(BarCalls(false), 2) << "BeforeNavigate2 and DocumentComplete";
  EXPECT_EQ(BarCalls(true), 0) << "a completed page alone shows no ads";
  EXPECT_TRUE(requested_.empty());
  frame_.Quit();
  EXPECT_EQ(BarCalls(false), 3) << "and OnQuit";
}

TEST_F(HookCTest, APageWithTextIsScannedAndShowsTheSidebar) {
  Open("flights.htm", "<html><body><p>Find cheap flights here</p></body></html>");
  clock_.Advance(2000);
  EXPECT_TRUE(hook_->DocumentComplete(&frame_.Browser()));
  EXPECT_EQ(BarCalls(true), 1);
  EXPECT_EQ(requested_, std::vector<int>{0}) << "the first category matched";
}

TEST_F(HookCTest, ABlockedPageAnswersFalseButStillShowsTheSidebarAndAsksForAds) {
  Open("casino.htm", "<html><body>the casino hotel</body></html>");
  clock_.Advance(2000);
  EXPECT_FALSE(hook_->DocumentComplete(&frame_.Browser()));
  EXPECT_EQ(BarCalls(true), 1);
  EXPECT_EQ(requested_.size(), 1u);
}

TEST_F(HookCTest, PagesWithoutBodyTextAreNotScanned) {
  Open("empty.htm", "<html><body></body></html>");
  clock_.Advance(2000);
  EXPECT_TRUE(hook_->DocumentComplete(&frame_.Browser())) << "an empty body";
  frame_.Browser().HoldPageLoading(true);
  Open("loading.htm", "<html><body>cheap flights</body></html>");
  clock_.Advance(2000);
  EXPECT_TRUE(hook_->DocumentComplete(&frame_.Browser())) << "no body yet";
  EXPECT_TRUE(hook_->DocumentComplete(nullptr));
  EXPECT_EQ(BarCalls(true), 0);
  EXPECT_TRUE(requested_.empty());
}

TEST_F(HookCTest, ClosingTheToolbarTakesTheTabOutOfTheSession) {
  std::shared_ptr<TabContextC> record;
  {
    GlobalSinglton::Existing session;
    ASSERT_TRUE(session);
    record = session->GetTabContextByBrowser(&frame_.Browser());
  }
  ASSERT_TRUE(record);
  frame_.Quit();
  EXPECT_EQ(hook_->TabContext(), nullptr);
  EXPECT_FALSE(GlobalSinglton::Existing());
  EXPECT_EQ(record.use_count(), 1);
}

}  // namespace
}  // namespace session
