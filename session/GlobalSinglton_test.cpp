#include "session/GlobalSinglton.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/clock/Clock.h"
#include "platform/net/VirtualClockWake.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Trace.h"
#include "platform/ui/MessageQueue.h"
#include "session/CategoryTable.h"
#include "session/categories/CategoryCacheFile.h"
#include "session/testing/SessionTestSupport.h"
#include "soap/ServiceConfig.h"
#include "soap/ads/SoapTestAnswers.h"
#include "tests/support/BackgroundCall.h"
#include "tests/support/ScriptedPeer.h"

namespace session {
namespace {

using namespace std::chrono_literals;
using soap::testing::HttpAnswer;
using soap::testing::ResponseEnvelope;
using testing::FakeBrowser;
using testing::FakeContext;
using testing::FakeSidebar;
using testing::StoreSetting;

const std::string kCachePath = "C:\\Program Files\\Internet Explorer\\iexplore.cl";

test_support::ConnectionScript AnswerWith(std::string answer) {
  return test_support::ConnectionScript().ReadRequest().Send(std::move(answer));
}

std::string CategoryListAnswer(std::string_view items) {
  return HttpAnswer("200 OK", ResponseEnvelope("GetCategoryList", soap::AdsServiceNamespace,
                                               "<GetCategoryListResult>" + std::string(items) +
                                                   "</GetCategoryListResult>"));
}

std::string BlockedTermsAnswer(std::string_view terms) {
  return HttpAnswer("200 OK", ResponseEnvelope("GetBlockedTermsList", soap::AdsServiceNamespace,
                                               "<GetBlockedTermsListResult>" + std::string(terms) +
                                                   "</GetBlockedTermsListResult>"));
}

std::string StatisticsAnswer(std::string_view text) {
  return HttpAnswer(
      "200 OK", ResponseEnvelope("Statistics", soap::UtilsServiceNamespace,
                                 "<StatisticsResult>" + std::string(text) + "</StatisticsResult>"));
}

// Every test starts with no session, an empty registry holding the
// product's key, fresh disks, and services nobody listens on unless the
// test points them at a peer.
class GlobalSingltonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::CreateSettingsKey();
    CacheLists(
        {{{u"cheap flights", u"Travel"}, {u"flights", u"Air"}, {u"hotel", u"Stay"}}, {u"casino"}});
  }
  void TearDown() override {
    platform::WaitForWorkerThreads();
    platform::ui::RunUntilIdle();
  }

  void CacheLists(const CategoryLists& lists) {
    ASSERT_TRUE(WriteCategoryCache(kCachePath, lists));
    ASSERT_TRUE(platform::SetFileLastWriteTime(kCachePath, platform::WallClockNow()));
  }

  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  testing::ScopedEnvironment ads_{"VIMARU_ADS_ENDPOINT", "http://127.0.0.1:9/qxadsex.asmx"};
  testing::ScopedEnvironment utils_{"VIMARU_UTILS_ENDPOINT", "http://127.0.0.1:9/utils/utils.asmx"};
};

using testing::SessionReference;

TEST_F(GlobalSingltonTest, NestedPairsKeepOneInstanceAndTheLastFreeDestroysIt) {
  StoreSetting("MemberId", "M-1");
  GlobalSinglton* first = GlobalSinglton::Instance();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GlobalSinglton::Instance(), first);
  StoreSetting("MemberId", "M-2");
  EXPECT_EQ(GlobalSinglton::FreeInst(), 1);
  EXPECT_EQ(GlobalSinglton::Instance(), first);
  EXPECT_EQ(GlobalSinglton::FreeInst(), 1);
  EXPECT_EQ(GlobalSinglton::MemberId(), "M-1") << "read once, at creation";
  EXPECT_EQ(GlobalSinglton::FreeInst(), 0);
  EXPECT_EQ(GlobalSinglton::FreeInst(), 0) << "an extra FreeInst stays at zero";
  EXPECT_FALSE(GlobalSinglton::Existing());

  GlobalSinglton::Instance();
  EXPECT_EQ(GlobalSinglton::MemberId(), "M-2") << "a new instance reads the registry again";
  EXPECT_EQ(GlobalSinglton::FreeInst(), 0);
}

TEST_F(GlobalSingltonTest, StartReadsTheMemberAndTheTokenOnlyWithAutoLoginOn) {
  StoreSetting("MemberId", "M-7");
  StoreSetting("SSO", "token");
  StoreSetting("AutoLoggin", "True");
  GlobalSinglton::SetSsoToken("");
  {
    SessionReference session;
    EXPECT_TRUE(GlobalSinglton::IsMember());
    EXPECT_EQ(GlobalSinglton::SsoToken(), "") << "\"True\" is not \"true\"";
  }
  StoreSetting("AutoLoggin", "true");
  StoreSetting("MemberId", "");
  {
    SessionReference session;
    EXPECT_FALSE(GlobalSinglton::IsMember());
    EXPECT_EQ(GlobalSinglton::SsoToken(), "token");
  }
}

TEST_F(GlobalSingltonTest, RecordsAndSidebarsAreFoundByTheFirstMatch) {
  SessionReference session;
  FakeContext one;
  FakeContext two;
  platform::ComPtr<FakeBrowser> browser = platform::Make<FakeBrowser>();
  auto first = std::make_shared<TabContextC>(&one, browser, 0);
  auto second = std::make_shared<TabContextC>(&two, browser, 0);
  session->AddTabContext(first);
  session->AddTabContext(second);
  EXPECT_EQ(session->GetTabContextByBrowser(browser.Get()), first);
  EXPECT_EQ(session->GetTabContextBySidebarWindow(nullptr), first);

  FakeSidebar sidebar;
  second->SetSidebar(&sidebar, nullptr, sidebar.SidebarWindow());
  EXPECT_EQ(session->GetTabContextBySidebarWindow(sidebar.SidebarWindow()), second);
  session->RemoveTabContext(&one);
  EXPECT_EQ(session->GetTabContextByBrowser(browser.Get()), second);
  session->RemoveTabContext(&one);
  EXPECT_EQ(session->GetTabContextByBrowser(browser.Get()), second) << "nothing left to remove";
  EXPECT_EQ(first.use_count(), 1) << "the session let go of the removed record";

  FakeSidebar other;
  EXPECT_FALSE(session->IsSidebarVisible(browser.Get()));
  session->AddSidebar(browser.Get(), &sidebar);
  session->AddSidebar(browser.Get(), &other);
  EXPECT_FALSE(session->IsSidebarVisible(browser.Get()));
  sidebar.Show(true);
  EXPECT_TRUE(session->IsSidebarVisible(browser.Get())) << "the first band added keeps the entry";
  session->RemoveSidebar(&other);
  EXPECT_TRUE(session->IsSidebarVisible(browser.Get()));
  session->RemoveSidebar(&sidebar);
  EXPECT_FALSE(session->IsSidebarVisible(browser.Get()));
  EXPECT_EQ(second->Sidebar(), nullptr) << "no record keeps a band that has gone";
  EXPECT_EQ(second->SidebarWindow(), nullptr);
  EXPECT_EQ(session->GetTabContextBySidebarWindow(sidebar.SidebarWindow()), nullptr);
}

TEST_F(GlobalSingltonTest, AFreshCacheIsUsedWithoutAskingTheService) {
  SessionReference session;
  const auto table = session->Categories();
  ASSERT_TRUE(table);
  EXPECT_EQ(table->CategoryCount(), 3);
  EXPECT_EQ(table->lists.blockedTerms, std::vector<std::u16string>{u"casino"});
  EXPECT_EQ(table->scanner.LongestKeyword(), 13);
  EXPECT_EQ(platform::RunningWorkerThreads(), 0) << "no fetch was started";
}

TEST_F(GlobalSingltonTest, ACacheSevenDaysAndASecondOldIsFetchedAgainAndRewritten) {
  ASSERT_TRUE(platform::SetFileLastWriteTime(
      kCachePath, platform::WallClockNow() - kCategoryCacheLifetime - 1s));
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(CategoryListAnswer("<CategoryItem><Label>car</Label><Name>Cars</Name>"
                                            "</CategoryItem>")),
              AnswerWith(BlockedTermsAnswer("<string>poker</string>"))});
  testing::ScopedEnvironment ads("VIMARU_ADS_ENDPOINT", peer.Url("/qxadsex.asmx"));

  SessionReference session;
  platform::WaitForWorkerThreads();
  ASSERT_EQ(peer.Finish().problem, "");
  const auto table = session->Categories();
  ASSERT_TRUE(table);
  const CategoryLists fetched{{{u"car", u"Cars"}}, {u"poker"}};
  EXPECT_EQ(table->lists, fetched);
  EXPECT_EQ(ReadCategoryCache(kCachePath, platform::WallClockNow()), fetched);
}

TEST_F(GlobalSingltonTest, AFailedFetchLeavesNoCategoriesAndThePageUnscanned) {
  ASSERT_TRUE(platform::RemoveFile(kCachePath));
  SessionReference session;
  platform::WaitForWorkerThreads();
  const auto table = session->Categories();
  ASSERT_TRUE(table);
  EXPECT_EQ(table->CategoryCount(), 0);

  FakeContext context;
  platform::ComPtr<FakeBrowser> browser = platform::Make<FakeBrowser>();
  auto record = std::make_shared<TabContextC>(&context, browser, 0);
  session->AddTabContext(record);
  std::vector<std::shared_ptr<TabContextC>> requests;
  GlobalSinglton::SetAdsRequestStarter([&](auto started) { requests.push_back(started); });
  bool blocked = true;
  session->ParseHTML(u"casino flights", browser.Get(), blocked);
  GlobalSinglton::SetAdsRequestStarter(nullptr);
  EXPECT_FALSE(blocked) << "no scan, so no blocked terms looked for either";
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(record->categoryIndex, 0);
  EXPECT_EQ(record->categoryCount, 0);
}

class ParseHtmlTest : public GlobalSingltonTest {
 protected:
  void SetUp() override {
    GlobalSingltonTest::SetUp();
    session_.emplace();
    record_ = std::make_shared<TabContextC>(&context_, browser_, NowSeconds());
    (*session_)->AddTabContext(record_);
    GlobalSinglton::SetAdsRequestStarter([this](auto record) { requests_.push_back(record); });
  }
  void TearDown() override {
    GlobalSinglton::SetAdsRequestStarter(nullptr);
    (*session_)->RemoveTabContext(&context_);
    session_.reset();
    GlobalSingltonTest::TearDown();
  }

  static std::int64_t NowSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               platform::WallClockNow().time_since_epoch())
        .count();
  }

  bool Parse(std::u16string_view text) {
    bool blocked = false;
    (*session_)->ParseHTML(text, browser_.Get(), blocked);
    return blocked;
  }

  std::optional<SessionReference> session_;
  FakeContext context_;
  platform::ComPtr<FakeBrowser> browser_ = platform::Make<FakeBrowser>();
  std::shared_ptr<TabContextC> record_;
  std::vector<std::shared_ptr<TabContextC>> requests_;
};

TEST_F(ParseHtmlTest, ScansShowsTheSidebarAndRequestsAdsAtMostOnceASecond) {
  clock_.Advance(2000);
  EXPECT_FALSE(Parse(u"Cheap Flights! cheap FLIGHTS, a hotel"));
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0], record_);
  EXPECT_EQ(record_->categoryIndex, 1) << "2, 2 and 1 matches: the tie goes to the later one";
  EXPECT_EQ(record_->categoryCount, 3);
  EXPECT_EQ(record_->categories, (*session_)->Categories());
  EXPECT_EQ(record_->lastUrl, u"http://pages.example/");
  EXPECT_EQ(record_->lastRequestTime, NowSeconds());
  ASSERT_EQ(browser_->BarCalls().size(), 1u);
  EXPECT_EQ(browser_->BarCalls()[0].clsid, kSidebarClassId);
  EXPECT_TRUE(browser_->BarCalls()[0].show);

  clock_.Advance(1000);
  Parse(u"hotel");
  EXPECT_EQ(requests_.size(), 1u) << "a second later: no new request";
  EXPECT_EQ(browser_->BarCalls().size(), 2u) << "the hidden sidebar is shown again";
  clock_.Advance(1000);
  Parse(u"hotel");
  ASSERT_EQ(requests_.size(), 2u);
  EXPECT_EQ(record_->categoryIndex, 2);
}

TEST_F(ParseHtmlTest, TheSameAddressWithTheSidebarShownIsNotScannedAgain) {
  FakeSidebar sidebar;
  record_->SetSidebar(&sidebar, nullptr, sidebar.SidebarWindow());
  clock_.Advance(2000);
  Parse(u"hotel");
  ASSERT_EQ(requests_.size(), 1u);
  sidebar.Show(true);
  clock_.Advance(2000);
  Parse(u"hotel");
  EXPECT_EQ(requests_.size(), 1u) << "same address, sidebar shown";
  EXPECT_EQ(browser_->BarCalls().size(), 1u);

  browser_->SetLocation(u"http://pages.example/other");
  Parse(u"flights");
  ASSERT_EQ(requests_.size(), 2u) << "a new address is scanned with the sidebar shown";
  EXPECT_EQ(browser_->BarCalls().size(), 1u) << "a shown sidebar is not shown again";
  EXPECT_EQ(record_->categoryIndex, 1);

  sidebar.Show(false);
  clock_.Advance(2000);
  Parse(u"flights");
  EXPECT_EQ(requests_.size(), 3u) << "same address, sidebar hidden: shown and requested again";
}

TEST_F(ParseHtmlTest, BlockedTermsCountAsWholeWordsOnly) {
  EXPECT_FALSE(Parse(u"xcasinox"));
  EXPECT_FALSE(Parse(u"casinos"));
  EXPECT_TRUE(Parse(u"casino"));
  EXPECT_TRUE(Parse(u"online CASINO, tonight"));
  EXPECT_TRUE(Parse(u"9casino!"));
}

TEST_F(ParseHtmlTest, NoMatchChoosesTheLastCategoryAndAnUnknownTabNothing) {
  clock_.Advance(2000);
  Parse(u"nothing to see");
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(record_->categoryIndex, 2);

  platform::ComPtr<FakeBrowser> stranger = platform::Make<FakeBrowser>();
  bool blocked = true;
  (*session_)->ParseHTML(u"casino", stranger.Get(), blocked);
  EXPECT_FALSE(blocked);
  EXPECT_TRUE(stranger->BarCalls().empty());
  EXPECT_EQ(requests_.size(), 1u);
}

TEST_F(GlobalSingltonTest, BroadcastSetsTheCommandInEveryTab) {
  SessionReference session;
  FakeContext one;
  FakeContext two;
  framework::CommandC& first = one.Fake().Add("VimaruIEToolbar.Login");
  framework::CommandC& second = two.Fake().Add("VimaruIEToolbar.Login");
  session->AddContext(&one);
  session->AddContext(&two);
  session->BroadcastCommandState("VimaruIEToolbar.Login", true, "Log Out");
  session->BroadcastCommandState("VimaruIEToolbar.Unknown", true, "ignored");
  EXPECT_TRUE(first.IsEnabled());
  EXPECT_EQ(first.Text(), "Log Out");
  EXPECT_EQ(second.Text(), "Log Out");
  session->BroadcastCommandState("VimaruIEToolbar.Login", false, "Log In");
  EXPECT_FALSE(second.IsEnabled());
  session->RemoveContext(&one);
  session->RemoveContext(&two);
}

class TimerTest : public GlobalSingltonTest {
 protected:
  void Tick(std::uint64_t ms) {
    clock_.Advance(ms);
    platform::ui::RunUntilIdle();
  }
};

TEST_F(TimerTest, AVisitorsTicksUpdateTheTabsWithoutAnyCall) {
  SessionReference session;
  FakeContext context;
  session->AddContext(&context);
  Tick(kTotalsPeriodMs - 1);
  EXPECT_TRUE(context.Updates().empty());
  Tick(1);
  ASSERT_EQ(context.Updates().size(), 1u);
  EXPECT_EQ(context.Updates()[0].valid, 0);
  Tick(kTotalsPeriodMs);
  EXPECT_EQ(context.Updates().size(), 2u);
  EXPECT_EQ(platform::RunningWorkerThreads(), 0);
  session->RemoveContext(&context);
}

TEST_F(TimerTest, AMembersTotalsAreFetchedOffTheThreadAndAppliedOnIt) {
  StoreSetting("MemberId", "ENC-1");
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(StatisticsAnswer("12.5,3,7,1"))});
  testing::ScopedEnvironment utils("VIMARU_UTILS_ENDPOINT", peer.Url("/utils/utils.asmx"));
  SessionReference session;
  FakeContext context;
  session->AddContext(&context);

  Tick(kTotalsPeriodMs);
  platform::WaitForWorkerThreads();
  platform::ui::RunUntilIdle();  // delivered through the tab's own message loop
  ASSERT_EQ(context.Updates().size(), 1u);
  EXPECT_EQ(context.Updates()[0].valid, 1);
  EXPECT_DOUBLE_EQ(context.Updates()[0].money, 12.5);
  EXPECT_EQ(context.Updates()[0].friends, 7);
  EXPECT_EQ(context.UpdateThreads()[0], GetCurrentThreadId());
  const auto record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  EXPECT_NE(record.connections.at(0).requests.at(0).find("<EncMemberID>ENC-1</EncMemberID>"),
            std::string::npos);
  session->RemoveContext(&context);
}

TEST_F(TimerTest, ASilentServiceStallsNoTickAndTicksDoNotPileUp) {
  StoreSetting("MemberId", "ENC-1");
  test_support::ScriptedPeer peer;
  peer.Serve({test_support::ConnectionScript().ReadRequest().WaitForClientClose()});
  testing::ScopedEnvironment utils("VIMARU_UTILS_ENDPOINT", peer.Url("/utils/utils.asmx"));
  SessionReference session;
  FakeContext context;
  session->AddContext(&context);

  Tick(kTotalsPeriodMs);
  ASSERT_TRUE(peer.AwaitRequests(1));
  Tick(kTotalsPeriodMs);  // the thread goes on while the call hangs; busy, so no second call
  EXPECT_TRUE(context.Updates().empty());
  // The client gives up at its receive time-out on the product's clock.
  ASSERT_TRUE(platform::net::AwaitBlockedSocketWaits(1, test_support::kCallWait));
  GlobalSinglton::SetMemberId("");  // later ticks make no call
  clock_.Advance(10000);
  platform::WaitForWorkerThreads();
  platform::ui::RunUntilIdle();
  ASSERT_FALSE(context.Updates().empty());
  for (const auto& update : context.Updates()) EXPECT_EQ(update.valid, 0);
  const auto record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  EXPECT_EQ(record.connections.size(), 1u) << "the tick during the call made no second call";
  session->RemoveContext(&context);
}

TEST_F(TimerTest, TheUpdateCheckRunsOnceForTheProcess) {
  const bool checkedBefore = GlobalSinglton::HasCheckedForUpdate();
  int checks = 0;
  GlobalSinglton::SetUpdateCheck([&] { ++checks; });
  {
    SessionReference session;
    FakeContext context;
    session->AddContext(&context);
    Tick(kUpdatePeriodMs);
    Tick(kUpdatePeriodMs);
    session->RemoveContext(&context);
  }
  {
    SessionReference again;
    Tick(kUpdatePeriodMs);
  }
  GlobalSinglton::SetUpdateCheck(nullptr);
  EXPECT_EQ(checks, checkedBefore ? 0 : 1);
  EXPECT_TRUE(GlobalSinglton::HasCheckedForUpdate());
}

TEST_F(TimerTest, OnceItHasCheckedTheUpdateTimerTicksHourlyAndDoesNothing) {
  if (GlobalSinglton::HasCheckedForUpdate()) {
    GTEST_SKIP()
        << "the update timer ticked earlier in this process (ctest gives each test its own)";
  }
  int ticks = 0;
  platform::ScopedTraceCapture capture([&](std::string_view line) {
    if (line == "GlobalSinglton::TimeUpdateProc begin") ++ticks;
  });
  int checks = 0;
  GlobalSinglton::SetUpdateCheck([&] { ++checks; });
  SessionReference session;
  FakeContext context;
  session->AddContext(&context);
  Tick(kUpdatePeriodMs);
  EXPECT_EQ(ticks, 1);
  Tick(kUpdateRecheckPeriodMs - 1);
  EXPECT_EQ(ticks, 1) << "re-armed at the hourly period, not ticking every 10 s";
  Tick(1);
  EXPECT_EQ(ticks, 2);
  Tick(kUpdateRecheckPeriodMs);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(checks, 1);
  GlobalSinglton::SetUpdateCheck(nullptr);
  session->RemoveContext(&context);
}

TEST_F(TimerTest, ClosingTheLastTabStopsTheTotalsTimerAtOnce) {
  int ticks = 0;
  platform::ScopedTraceCapture capture([&](std::string_view line) {
    if (line == "GlobalSinglton::TimerProc begin") ++ticks;
  });
  FakeContext context;
  {
    SessionReference session;
    session->AddContext(&context);
    Tick(kTotalsPeriodMs);
    EXPECT_EQ(ticks, 1);
    session->RemoveContext(&context);
  }
  Tick(kTotalsPeriodMs);
  Tick(kTotalsPeriodMs);
  EXPECT_EQ(ticks, 1) << "the timer was killed, not left to find itself unowned";
}

TEST_F(TimerTest, ATimerLeftOnAnotherThreadEndsAtItsNextTick) {
  int ticks = 0;
  platform::ScopedTraceCapture capture([&](std::string_view line) {
    if (line == "GlobalSinglton::TimerProc begin") ++ticks;
  });
  std::thread([] { GlobalSinglton::FreeInst(); }).join();  // no session: nothing happens
  GlobalSinglton::Instance();
  std::thread([] { EXPECT_EQ(GlobalSinglton::FreeInst(), 0); }).join();
  Tick(kTotalsPeriodMs);
  Tick(kTotalsPeriodMs);
  EXPECT_EQ(ticks, 1) << "the orphan ticked once, found no session and killed itself";
}

}  // namespace
}  // namespace session
