#include "platform/threading/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <vector>

#include "platform/module/ModuleLifetime.h"
#include "platform/module/ThisModule.h"

namespace platform {
namespace {

TEST(WorkerThreadTest, RunningWorkersHoldTheModuleUntilTheirWorkReturns) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<int> started = 0;
  ASSERT_TRUE(ModuleLifetime::CanUnload());

  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(StartWorkerThread("WorkerThreadTest", [released, &started] {
      ++started;
      released.wait();
    }));
  }
  EXPECT_EQ(RunningWorkerThreads(), 3);
  EXPECT_EQ(RunningWorkerThreadsOf(ThisModule()), 3);
  EXPECT_EQ(ModuleLifetime::LockCount(), 0) << "workers are counted, not locks";
  EXPECT_FALSE(ModuleLifetime::CanUnload());

  release.set_value();
  WaitForWorkerThreads();
  EXPECT_EQ(started, 3);
  EXPECT_EQ(RunningWorkerThreads(), 0);
  EXPECT_TRUE(ModuleLifetime::CanUnload());
}

TEST(WorkerThreadTest, WorkersCountAgainstTheModuleThatStartedThem) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  int otherModule = 0;  // any address stands for another module's handle
  const auto other = reinterpret_cast<HINSTANCE>(&otherModule);
  ASSERT_TRUE(
      StartWorkerThreadFor(other, "WorkerThreadTest::Other", [released] { released.wait(); }));

  EXPECT_EQ(RunningWorkerThreadsOf(other), 1);
  EXPECT_EQ(RunningWorkerThreadsOf(ThisModule()), 0);
  EXPECT_TRUE(ModuleLifetime::CanUnload()) << "another module's worker does not hold this one";

  release.set_value();
  WaitForWorkerThreads();
  EXPECT_EQ(RunningWorkerThreadsOf(other), 0);
}

// The work's captures are the starting module's code and data: they must be
// gone by the time the worker stops counting, or the module could be
// unloaded under their destructor.
TEST(WorkerThreadTest, TheWorkIsDestroyedBeforeTheWorkerStopsCounting) {
  // Only the copy the worker owns reports: one moved from reports nothing,
  // so the caller's temporaries cannot overwrite the worker's report.
  struct Capture {
    explicit Capture(std::shared_ptr<std::atomic<int>> seen)
        : countAtDestruction(std::move(seen)) {}
    Capture(Capture&& other) noexcept : countAtDestruction(std::move(other.countAtDestruction)) {}
    Capture(const Capture&) = default;  // std::function's need; nothing here copies it
    ~Capture() {
      if (countAtDestruction) *countAtDestruction = RunningWorkerThreadsOf(ThisModule());
    }
    std::shared_ptr<std::atomic<int>> countAtDestruction;
  };
  auto seen = std::make_shared<std::atomic<int>>(-1);
  ASSERT_TRUE(StartWorkerThread("WorkerThreadTest::Capture", [capture = Capture{seen}] {}));
  WaitForWorkerThreads();
  EXPECT_EQ(*seen, 1);
}

TEST(WorkerThreadTest, WorkThatThrowsIsContainedAndGivesTheModuleBack) {
  ASSERT_TRUE(StartWorkerThread("WorkerThreadTest::Throws",
                                [] { throw std::runtime_error("service gone"); }));
  ASSERT_TRUE(StartWorkerThread("WorkerThreadTest::Throws", [] { throw 42; }));
  WaitForWorkerThreads();
  EXPECT_TRUE(ModuleLifetime::CanUnload());
}

// What a library keeps per thread (libcurl's and OpenSSL's state) is freed
// by thread-local destructors after the work returns; a waiter must see
// them run, or a leak check at exit finds their memory still held.
std::atomic<int> threadStateFreed = 0;
struct ThreadState {
  ~ThreadState() { ++threadStateFreed; }
};

TEST(WorkerThreadTest, WaitingJoinsTheThreadsSoTheirThreadStateIsGone) {
  threadStateFreed = 0;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(StartWorkerThread("WorkerThreadTest::ThreadState", [] {
      thread_local ThreadState state;
      (void)&state;
    }));
  }
  WaitForWorkerThreads();
  EXPECT_EQ(threadStateFreed, 4);
}

TEST(WorkerThreadTest, WaitingWithNoWorkersReturnsAtOnce) {
  WaitForWorkerThreads();
  EXPECT_EQ(RunningWorkerThreads(), 0);
}

}  // namespace
}  // namespace platform
