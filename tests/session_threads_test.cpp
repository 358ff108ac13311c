// The session with several browser window threads, as a browser process
// has them: tabs open and close on their own threads while the totals timer
// ticks, the answers reach each tab on its own thread, and the timers move
// when the thread that holds them loses its last tab.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/clock/Clock.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/MessageLoopThread.h"
#include "session/GlobalSinglton.h"
#include "session/testing/SessionTestSupport.h"
#include "tools/refservice/ReferenceService.h"

namespace {

using namespace std::chrono_literals;
using session::GlobalSinglton;
using session::testing::FakeContext;

constexpr auto kGuard = 5s;  // a bound on waits for other threads, not a measure

// A browser window's thread: a message loop that also runs the test's tasks.
class WindowThread {
 public:
  DWORD Id() const { return thread_.ThreadId(); }
  void Post(std::function<void()> task) { thread_.Post(std::move(task)); }
  // Runs `task` on the thread and waits for it; false if it did not finish
  // within the guard.
  [[nodiscard]] bool Run(std::function<void()> task) {
    return thread_.Run(std::move(task), kGuard);
  }

 private:
  platform::ui::MessageLoopThread thread_;
};

// A tab as the session sees it: its context registered on its thread.
struct Tab {
  FakeContext context;
  GlobalSinglton* session = nullptr;

  void Open() {
    session = GlobalSinglton::Instance();
    session->AddContext(&context);
    session->AddTabContext(std::make_shared<session::TabContextC>(&context, nullptr, 0));
  }
  void Close() {
    session->RemoveTabContext(&context);
    session->RemoveContext(&context);
    GlobalSinglton::FreeInst();
  }
};

class SessionThreadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session::testing::CreateSettingsKey();
    session::testing::StoreSetting("MemberId", "9F3A7C21E4B04D55");
  }
  void TearDown() override { platform::WaitForWorkerThreads(); }

  refservice::ReferenceService service_;
  session::testing::ScopedEnvironment utils_{"VIMARU_UTILS_ENDPOINT", service_.UtilsEndpoint()};
  session::testing::ScopedEnvironment ads_{"VIMARU_ADS_ENDPOINT", service_.AdsEndpoint()};
  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
};

TEST_F(SessionThreadsTest, TotalsReachEveryTabOnItsOwnThreadAndTheTimersMoveWithTheTabs) {
  WindowThread first;
  WindowThread second;
  Tab a;
  Tab b;
  ASSERT_TRUE(first.Run([&] { a.Open(); }));
  ASSERT_TRUE(second.Run([&] { b.Open(); }));

  clock_.Advance(session::kTotalsPeriodMs);
  ASSERT_TRUE(a.context.AwaitUpdates(1));
  ASSERT_TRUE(b.context.AwaitUpdates(1));
  EXPECT_EQ(a.context.Updates()[0].valid, 1);
  EXPECT_DOUBLE_EQ(b.context.Updates()[0].money, 12.5);
  EXPECT_EQ(a.context.UpdateThreads()[0], first.Id());
  EXPECT_EQ(b.context.UpdateThreads()[0], second.Id());
  platform::WaitForWorkerThreads();  // the refresh is over, so the next tick is not skipped

  // The timers' thread loses its only tab: they go on on the other one.
  ASSERT_TRUE(first.Run([&] { a.Close(); }));
  ASSERT_TRUE(second.Run([] {}));  // the move queued before this has run
  clock_.Advance(session::kTotalsPeriodMs);
  ASSERT_TRUE(b.context.AwaitUpdates(2));
  EXPECT_EQ(b.context.UpdateThreads()[1], second.Id());
  EXPECT_EQ(a.context.Updates().size(), 1u);

  ASSERT_TRUE(second.Run([&] { b.Close(); }));
  EXPECT_FALSE(GlobalSinglton::Existing());
}

TEST_F(SessionThreadsTest, TabsOpenAndCloseOnManyThreadsWhileTotalsTick) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 24;
  std::vector<std::unique_ptr<WindowThread>> threads;
  std::vector<std::unique_ptr<Tab>> tabs;
  for (int i = 0; i < kThreads; ++i) {
    threads.push_back(std::make_unique<WindowThread>());
    tabs.push_back(std::make_unique<Tab>());
  }
  // One long-lived tab keeps the session, and so its timers, alive.
  Tab anchor;
  ASSERT_TRUE(threads[0]->Run([&] { anchor.Open(); }));

  for (int round = 0; round < kRounds; ++round) {
    for (int i = 0; i < kThreads; ++i) {
      Tab* tab = tabs[i].get();
      const bool open = round % 2 == 0;
      threads[i]->Post([tab, open] { open ? tab->Open() : tab->Close(); });
    }
    clock_.Advance(session::kTotalsPeriodMs);
  }
  for (int i = 0; i < kThreads; ++i) ASSERT_TRUE(threads[i]->Run([] {}));
  ASSERT_TRUE(anchor.context.AwaitUpdates(1)) << "the ticks' answers reached the tab";
  ASSERT_TRUE(threads[0]->Run([&] { anchor.Close(); }));
  platform::WaitForWorkerThreads();
  for (auto& thread : threads) ASSERT_TRUE(thread->Run([] {}));

  EXPECT_FALSE(GlobalSinglton::Existing()) << "every Instance was given back";
  for (const auto& update : anchor.context.Updates()) {
    if (update.valid == 1) {
      EXPECT_DOUBLE_EQ(update.money, 12.5);
    }
  }
  for (int i = 0; i < kThreads; ++i) {
    for (DWORD thread : tabs[i]->context.UpdateThreads()) EXPECT_EQ(thread, threads[i]->Id());
  }
}

}  // namespace
