// The ads thread against the reference service: the request on the wire for
// a member and a visitor, the chosen category, the content stored and the
// sidebar window told on its own thread, and the ways a tab may go away
// while its ads are fetched.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/browser/UserAgent.h"
#include "platform/clock/Clock.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/testing/RecordingWindowThread.h"
#include "platform/ui/testing/TimedSends.h"
#include "session/CategoryTable.h"
#include "session/ads/AdsRequest.h"
#include "session/ads/QXThread.h"
#include "session/testing/SessionTestSupport.h"
#include "tools/refservice/ReferenceService.h"

namespace session {
namespace {

using platform::ui::testing::CreateRecordingWindow;
using platform::ui::testing::MessageLog;

constexpr auto kGuard = std::chrono::seconds(30);  // only a hang reaches it

using WindowThread = platform::ui::testing::RecordingWindowThread;
constexpr DWORD kHiddenWindow = 0;  // a sidebar window the test never shows

std::map<std::string, std::string> Fields(const refservice::RecordedRequest& request) {
  std::map<std::string, std::string> fields;
  for (const auto& parameter : request.parameters) fields[parameter.name] = parameter.text;
  return fields;
}

class SessionAdsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GlobalSinglton::SetMemberId("");
    platform::SetUserAgent("Agent/7 (ads test)");
    browser_->SetLocation(u"http://pages.example/cars?x=1");
    record_ = MakeRecord(1);
  }
  void TearDown() override {
    platform::WaitForWorkerThreads();
    GlobalSinglton::SetMemberId("");
    platform::SetUserAgent(platform::kDefaultUserAgent);
  }

  std::shared_ptr<TabContextC> MakeRecord(int index) {
    auto record = std::make_shared<TabContextC>(&context_, browser_, 0);
    CategoryLists lists;
    for (const auto& category : service_.Data().categories)
      lists.categories.push_back(
          {platform::AnsiToWide(category.label), platform::AnsiToWide(category.name)});
    record->categories = std::make_shared<const CategoryTable>(lists);
    record->categoryCount = static_cast<int>(lists.categories.size());
    record->categoryIndex = index;
    return record;
  }

  refservice::RecordedRequest OnlyRequest() {
    const auto requests = service_.Requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? refservice::RecordedRequest{} : requests.front();
  }

  refservice::ReferenceService service_;
  testing::ScopedEnvironment ads_{"VIMARU_ADS_ENDPOINT", service_.AdsEndpoint()};
  testing::FakeContext context_;
  platform::ComPtr<testing::FakeBrowser> browser_ = platform::Make<testing::FakeBrowser>();
  std::shared_ptr<TabContextC> record_;
};

TEST_F(SessionAdsTest, AVisitorAsksForPublicAdsWithoutAMemberId) {
  QXThread::ShowSidebar(record_);
  const auto request = OnlyRequest();
  EXPECT_EQ(request.operation, "GetPublicAds");
  const auto fields = Fields(request);
  EXPECT_EQ(fields.at("offerId"), "60");
  EXPECT_EQ(fields.at("memberIp"), "");
  EXPECT_EQ(fields.at("cgroup"), service_.Data().categories.at(1).name);
  EXPECT_EQ(fields.at("keyword"), "");
  EXPECT_EQ(fields.at("maxAds"), "5");
  EXPECT_EQ(fields.at("ua"), "Agent/7 (ads test)");
  EXPECT_EQ(fields.at("sURL"), "http://pages.example/cars?x=1");
  EXPECT_EQ(fields.size(), 7u);
}

TEST_F(SessionAdsTest, AMemberAsksForMemberAdsWithItsId) {
  const std::string& member = service_.Data().members.at(0).encMemberId;
  GlobalSinglton::SetMemberId(member);
  QXThread::ShowSidebar(record_);
  const auto request = OnlyRequest();
  EXPECT_EQ(request.operation, "GetMemberAds");
  EXPECT_NE(request.http.raw.find(member), std::string::npos);
  const auto fields = Fields(request);
  EXPECT_EQ(fields.at("offerId"), "60");
  EXPECT_EQ(fields.at("cgroup"), service_.Data().categories.at(1).name);
  EXPECT_EQ(fields.at("maxAds"), "5");
  EXPECT_EQ(fields.at("ua"), "Agent/7 (ads test)");
  EXPECT_EQ(fields.at("sURL"), "http://pages.example/cars?x=1");
  const soap::AdRequest expected = MakeAdRequest(member, u"", u"", u"");
  EXPECT_EQ(expected.encryptedMemberId, platform::AnsiToWide(member));
}

TEST_F(SessionAdsTest, NoListsOrAnIndexOutsideThemAskWithAnEmptyCategory) {
  struct Case {
    int index;
    int count;
    bool lists;
  };
  const int size = static_cast<int>(service_.Data().categories.size());
  for (const Case c :
       {Case{size, size, true}, Case{-1, size, true}, Case{0, 0, true}, Case{0, 1, false}}) {
    SCOPED_TRACE(c.index);
    auto record = MakeRecord(c.index);
    record->categoryCount = c.count;
    if (!c.lists) record->categories = nullptr;
    EXPECT_EQ(ChosenCategoryName(*record), u"");
    service_.ClearRequests();
    QXThread::ShowSidebar(record);
    EXPECT_EQ(Fields(OnlyRequest()).at("cgroup"), "");
  }
}

TEST_F(SessionAdsTest, TheContentIsStoredAndTheWindowToldOnItsOwnThread) {
  MessageLog log;
  std::mutex mutex;
  std::vector<std::string> seen;  // guarded by mutex
  std::weak_ptr<TabContextC> weak = record_;
  log.handler = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_PAINT) return std::nullopt;
    std::lock_guard lock(mutex);
    if (auto record = weak.lock()) seen.push_back(record->Content());
    return 0;
  };
  WindowThread window(log, kHiddenWindow);
  record_->SetSidebar(nullptr, nullptr, window.hwnd());
  ASSERT_TRUE(QXThread::Start(record_));
  platform::WaitForWorkerThreads();

  const std::string content = record_->Content();
  EXPECT_NE(content.find("QxAdClick"), std::string::npos);
  std::lock_guard lock(mutex);
  EXPECT_EQ(seen, std::vector<std::string>{content});
}

TEST_F(SessionAdsTest, AWindowDestroyedBeforeTheSendIsNoHarm) {
  MessageLog log;
  HWND gone = CreateRecordingWindow(log, nullptr, 0);
  DestroyWindow(gone);
  record_->SetSidebar(nullptr, nullptr, gone);
  ASSERT_TRUE(QXThread::Start(record_));
  platform::WaitForWorkerThreads();
  EXPECT_FALSE(record_->Content().empty());
}

TEST_F(SessionAdsTest, ARecordTheTabReleasedLivesUntilTheThreadIsDone) {
  MessageLog log;
  std::weak_ptr<TabContextC> weak = record_;
  std::mutex mutex;
  std::vector<std::string> seen;  // guarded by mutex
  log.handler = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_PAINT) return std::nullopt;
    std::lock_guard lock(mutex);
    if (auto record = weak.lock()) seen.push_back(record->Content());
    return 0;
  };
  WindowThread window(log, kHiddenWindow);
  record_->SetSidebar(nullptr, nullptr, window.hwnd());
  // The session lets go of the record as the thread starts: from then on
  // the thread's reference is the only one.
  ASSERT_TRUE(QXThread::Start(std::exchange(record_, nullptr)));
  platform::WaitForWorkerThreads();
  EXPECT_EQ(service_.RequestCount(), 1u);
  std::lock_guard lock(mutex);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].find("QxAdClick"), std::string::npos);
}

TEST_F(SessionAdsTest, AWindowThreadWaitingForTheAdsThreadIsNotDeadlocked) {
  platform::VirtualClock clock(1000);
  MessageLog log;
  // The window's thread closes its tab and waits for the ads thread, which
  // by then sends to that very window.
  std::promise<void> closed;
  auto tabClosed = closed.get_future();
  log.handler = [&, record = record_](HWND, UINT message, WPARAM,
                                      LPARAM) -> std::optional<LRESULT> {
    if (message != WM_APP) return std::nullopt;
    QXThread::Start(record);
    platform::WaitForWorkerThreads();
    closed.set_value();
    return 0;
  };
  WindowThread window(log, kHiddenWindow);
  record_->SetSidebar(nullptr, nullptr, window.hwnd());
  ASSERT_TRUE(PostMessageW(window.hwnd(), WM_APP, 0, 0));
  ASSERT_TRUE(platform::ui::AwaitTimedSends(1, kGuard));
  clock.Advance(kSidebarSendTimeoutMs);
  ASSERT_EQ(tabClosed.wait_for(kGuard), std::future_status::ready);
  EXPECT_FALSE(record_->Content().empty());
  EXPECT_TRUE(log.Ids({WM_PAINT}).empty());
}

TEST_F(SessionAdsTest, OverlappingRequestsStoreWholeFragmentsAndTheLaterWins) {
  const std::string visitor = platform::WideToAnsi(
      FetchSidebarContent(MakeAdRequest("", ChosenCategoryName(*record_), u"", u""), false).html);
  ASSERT_FALSE(visitor.empty());
  const std::string member = service_.Data().members.at(0).encMemberId;
  GlobalSinglton::SetMemberId(member);
  const std::string memberHtml = platform::WideToAnsi(
      FetchSidebarContent(MakeAdRequest(member, ChosenCategoryName(*record_), u"", u""), true)
          .html);
  GlobalSinglton::SetMemberId("");
  ASSERT_NE(visitor, memberHtml);

  ASSERT_TRUE(QXThread::Start(record_));
  GlobalSinglton::SetMemberId(member);
  ASSERT_TRUE(QXThread::Start(record_));
  std::vector<std::string> reads;
  while (platform::RunningWorkerThreads() > 0 && reads.size() < 100000)
    reads.push_back(record_->Content());
  platform::WaitForWorkerThreads();
  for (const std::string& read : reads)
    EXPECT_TRUE(read.empty() || read == visitor || read == memberHtml);
  const std::string last = record_->Content();
  EXPECT_TRUE(last == visitor || last == memberHtml);
  EXPECT_EQ(service_.RequestCount(), 4u);
}

}  // namespace
}  // namespace session
