// The sidebar window's WM_PAINT: the tab record's content taken and put
// into the control's page, on the window's thread, whether the paint comes
// from the ads thread's bounded send or from the system; and the paints
// that must do nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/automation/Bstr.h"
#include "platform/browser/testing/NullWebBrowser.h"
#include "platform/ui/MessageQueue.h"
#include "session/ads/QXThread.h"
#include "session/band/CmyIESideBar.h"
#include "session/band/WaitingPage.h"
#include "session/band/testing/SidebarTestSupport.h"

namespace session {
namespace {

using testing::BodyHtml;
using testing::StandInControl;

constexpr auto kGuard = std::chrono::seconds(30);  // only a hang reaches it

// What the ads thread stores: narrow, in the ANSI code page (0xE9 is é).
constexpr char kAds[] = "<div class=\"parent\"><p class=\"adinfo\">Caf\xE9 cr\xE8me</p></div>";
constexpr char16_t kAdsShown[] =
    u"<div class=\"parent\"><p class=\"adinfo\">Caf\u00E9 cr\u00E8me</p></div>";

class SidebarPaintTest : public testing::SidebarBandTest {
 protected:
  void SetUp() override {
    SidebarBandTest::SetUp();
    ASSERT_EQ(Tab().Show(), S_OK);
    window_ = Tab().Band()->SidebarWindow();
    ASSERT_NE(window_, nullptr);
  }

  HWND window_ = nullptr;
};

TEST_F(SidebarPaintTest, ContentReplacesTheWaitingTextAndIsTakenFromTheRecord) {
  testing::SidebarTrace trace;
  ASSERT_NE(BodyHtml(Control().Get()).find(u"Please wait"), std::u16string::npos);
  Tab().Record()->SetContent(kAds);
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(BodyHtml(Control().Get()), kAdsShown);
  EXPECT_EQ(Tab().Record()->Content(), "");

  // The system's own paints find nothing new and change nothing.
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(BodyHtml(Control().Get()), kAdsShown);

  // New ads replace the old ones whole.
  Tab().Record()->SetContent("<p>second</p>");
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(BodyHtml(Control().Get()), u"<p>second</p>");
  EXPECT_TRUE(trace.Lines().empty());
}

TEST_F(SidebarPaintTest, EmptyContentLeavesThePageAsItIs) {
  const std::u16string waiting = BodyHtml(Control().Get());
  const std::size_t navigations = StandInControl(Control().Get())->Navigations().size();
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(BodyHtml(Control().Get()), waiting);
  EXPECT_EQ(StandInControl(Control().Get())->Navigations().size(), navigations);
}

TEST_F(SidebarPaintTest, ContentArrivingBeforeTheWaitingPageHasABodyIsWrittenIntoIt) {
  // Between pages the tab sends the control back to the waiting page; the
  // ads may arrive while it still loads.
  platform::BrowserObject* control = StandInControl(Control().Get());
  control->HoldPageLoading(true);
  ASSERT_EQ(
      control->Navigate(platform::Bstr(WaitingPageUrl()).Get(), nullptr, nullptr, nullptr, nullptr),
      S_OK);
  ASSERT_EQ(BodyHtml(control), u"<no body>");

  Tab().Record()->SetContent(kAds);
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(BodyHtml(control), kAdsShown);
  EXPECT_EQ(Tab().Record()->Content(), "");
}

TEST_F(SidebarPaintTest, ContentThatCannotBePutIsTracedAndStillTaken) {
  testing::SidebarTrace trace;
  // A record whose sidebar browser shows no document.
  Tab().Record()->SetSidebar(Tab().Band(), platform::Make<platform::NullWebBrowser>(), window_);
  Tab().Record()->SetContent(kAds);
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(trace.Lines(), std::vector<std::string>{"CmyIESideBar::WndProc put content error"});
  EXPECT_EQ(Tab().Record()->Content(), "");

  Tab().Record()->SetSidebar(Tab().Band(), nullptr, window_);
  Tab().Record()->SetContent(kAds);
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(trace.Lines().size(), 2u);
}

TEST_F(SidebarPaintTest, APaintAfterCloseOrForARecordThatIsGoneDoesNothing) {
  // A paint for a window the session no longer knows: the tab went.
  const std::shared_ptr<TabContextC> record = Tab().Record();
  record->SetContent(kAds);
  Session()->RemoveTabContext(record->context);
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(record->Content(), kAds);
  Session()->AddTabContext(record);

  // And one after the session itself has gone.
  const platform::ComPtr<IWebBrowser2> control = Control();
  const std::u16string waiting = BodyHtml(control.Get());
  session_.reset();
  ASSERT_FALSE(GlobalSinglton::Existing());
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(BodyHtml(control.Get()), waiting);
  session_.emplace();
  Session()->AddTabContext(record);

  // After CloseDW the window is gone; the record keeps what no sidebar can
  // show.
  ASSERT_EQ(Tab().Show(false), S_OK);
  ASSERT_FALSE(IsWindow(window_));
  SendMessageW(window_, WM_PAINT, 0, 0);
  EXPECT_EQ(record->Content(), kAds);
  EXPECT_EQ(BodyHtml(control.Get()), waiting);
}

// A browser window with its sidebar on a thread of its own, pumping
// messages as the browser's window thread does, while the test's thread
// plays the ads thread.
class SidebarWindowThread {
 public:
  explicit SidebarWindowThread(GlobalSinglton* session) {
    std::promise<std::pair<std::shared_ptr<TabContextC>, HWND>> ready;
    auto started = ready.get_future();
    thread_ = std::thread([this, session, &ready] {
      platform::ScopedComInit com;
      testing::SidebarTab tab(session);
      threadId_ = GetCurrentThreadId();
      tab.Show();
      ready.set_value({tab.Record(), tab.Band() ? tab.Band()->SidebarWindow() : nullptr});
      MSG message{};
      while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
      shownBody_ = BodyHtml(tab.Record()->SidebarBrowser().Get());
    });
    if (started.wait_for(kGuard) == std::future_status::ready)
      std::tie(record_, window_) = started.get();
  }
  ~SidebarWindowThread() { Stop(); }
  SidebarWindowThread(const SidebarWindowThread&) = delete;
  SidebarWindowThread& operator=(const SidebarWindowThread&) = delete;

  // Ends the loop; the page's body as the loop left it is then ShownBody.
  void Stop() {
    if (!thread_.joinable()) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  const std::shared_ptr<TabContextC>& Record() const { return record_; }
  HWND Window() const { return window_; }
  const std::u16string& ShownBody() const { return shownBody_; }

 private:
  std::thread thread_;
  DWORD threadId_ = 0;  // written before `ready` is set
  std::shared_ptr<TabContextC> record_;
  HWND window_ = nullptr;
  std::u16string shownBody_;  // written by the thread before it ends
};

TEST_F(SidebarPaintTest, TheAdsThreadsSendReachesTheWindowOnItsOwnThread) {
  SidebarWindowThread browserThread(Session());
  ASSERT_NE(browserThread.Window(), nullptr);
  browserThread.Record()->SetContent(kAds);
  // Sent as QXThread::ShowSidebar sends it.
  auto sent = std::async(std::launch::async, [&] {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(browserThread.Window(), WM_PAINT, 0, 0,
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, kSidebarSendTimeoutMs, &answer);
  });
  ASSERT_EQ(sent.wait_for(kGuard), std::future_status::ready);
  EXPECT_NE(sent.get(), 0);
  EXPECT_EQ(browserThread.Record()->Content(), "");
  browserThread.Stop();
  EXPECT_EQ(browserThread.ShownBody(), kAdsShown);
}

}  // namespace
}  // namespace session
