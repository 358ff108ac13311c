#include "platform/ui/WorkerPump.h"

#include <thread>

#include "platform/threading/WorkerThread.h"
#include "platform/ui/MessageQueue.h"

namespace platform::ui {

bool RunUntilWorkersDone(std::chrono::milliseconds realLimit) {
  const auto deadline = std::chrono::steady_clock::now() + realLimit;
  for (;;) {
    RunUntilIdle();
    if (RunningWorkerThreads() == 0) break;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::yield();
  }
  WaitForWorkerThreads();
  // What the last workers queued for this thread before they returned.
  RunUntilIdle();
  return true;
}

}  // namespace platform::ui
