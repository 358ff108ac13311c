#include "platform/ui/WorkerPump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "platform/clock/Clock.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using namespace std::chrono_literals;

constexpr auto kGuard = 30s;  // only a hang reaches it
constexpr UINT kFromWorker = WM_APP + 7;

// A worker that needs the waiting thread: it sends to its window and goes on
// only once the window has answered.
TEST(WorkerPump, ServesTheWorkersThatWaitOnThisThreadUntilTheyAllReturn) {
  testing::MessageLog log;
  UniqueWindow window(testing::CreateRecordingWindow(log));
  log.handler = [](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message == kFromWorker) return static_cast<LRESULT>(wParam * 2);
    return std::nullopt;
  };
  std::atomic<LRESULT> answered = 0;
  const HWND target = window.Get();
  ASSERT_TRUE(StartWorkerThread("WorkerPumpTest", [target, &answered] {
    answered = SendMessageW(target, kFromWorker, 21, 0);
  }));
  ASSERT_TRUE(RunUntilWorkersDone(kGuard));
  EXPECT_EQ(answered, 42);
  EXPECT_EQ(RunningWorkerThreads(), 0);
}

// Workers that need nothing of the thread still end its wait when they
// return, however many there are and whenever they return, and what they
// posted before returning is handled before it returns.
TEST(WorkerPump, WakesWhenAWorkerReturnsAndHandlesWhatItLeft) {
  const VirtualClock clock;  // nothing comes due on its own
  testing::MessageLog log;
  UniqueWindow window(testing::CreateRecordingWindow(log));
  const HWND target = window.Get();
  std::promise<void> go;
  std::shared_future<void> started = go.get_future().share();
  for (int index = 0; index < 8; ++index) {
    ASSERT_TRUE(StartWorkerThread("WorkerPumpTest", [target, started, index] {
      started.wait();
      PostMessageW(target, kFromWorker, static_cast<WPARAM>(index), 0);
    }));
  }
  std::thread releaser([&go] { go.set_value(); });
  ASSERT_TRUE(RunUntilWorkersDone(kGuard));
  releaser.join();
  EXPECT_EQ(log.Ids({kFromWorker}).size(), 8u);
}

TEST(WorkerPump, ReturnsAtOnceWithoutWorkers) {
  const VirtualClock clock;
  EXPECT_TRUE(RunUntilWorkersDone(kGuard));
}

}  // namespace
}  // namespace platform::ui
