#include "platform/threading/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <vector>

#include "platform/com/ModuleLifetime.h"

namespace platform {
namespace {

TEST(WorkerThreadTest, RunningWorkersHoldTheModuleUntilTheirWorkReturns) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<int> started = 0;
  const LONG locksBefore = ModuleLifetime::LockCount();

  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(StartWorkerThread("WorkerThreadTest", [released, &started] {
      ++started;
      released.wait();
    }));
  }
  EXPECT_EQ(RunningWorkerThreads(), 3);
  EXPECT_EQ(ModuleLifetime::LockCount(), locksBefore + 3);
  EXPECT_FALSE(ModuleLifetime::CanUnload());

  release.set_value();
  WaitForWorkerThreads();
  EXPECT_EQ(started, 3);
  EXPECT_EQ(RunningWorkerThreads(), 0);
  EXPECT_EQ(ModuleLifetime::LockCount(), locksBefore);
}

TEST(WorkerThreadTest, WorkThatThrowsIsContainedAndGivesTheModuleBack) {
  const LONG locksBefore = ModuleLifetime::LockCount();
  ASSERT_TRUE(StartWorkerThread("WorkerThreadTest::Throws",
                                [] { throw std::runtime_error("service gone"); }));
  ASSERT_TRUE(StartWorkerThread("WorkerThreadTest::Throws", [] { throw 42; }));
  WaitForWorkerThreads();
  EXPECT_EQ(ModuleLifetime::LockCount(), locksBefore);
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
