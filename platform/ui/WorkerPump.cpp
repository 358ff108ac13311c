#include "platform/ui/WorkerPump.h"


#include "platform/threading/WorkerThread.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/detail/System.h"

namespace platform::ui {

bool RunUntilWorkersDone(std::chrono::milliseconds realLimit) {
  const auto deadline = std::chrono::steady_clock::now() + realLimit;
  for (;;) {
    // Taken before the count is read: a worker that returns after it wakes
    // the wait below even if it returned before the wait began.
    const std::uint64_t woken = detail::WakeGeneration();
    RunUntilIdle();
    if (RunningWorkerThreads() == 0) break;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    detail::WaitForInputOrWake(woken, deadline);
  }
  WaitForWorkerThreads();
  // What the last workers queued for this thread before they returned.
  RunUntilIdle();
  return true;
}

}  // namespace platform::ui
