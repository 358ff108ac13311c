#include "platform/threading/ThreadChecker.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

bool ThreadChecker::CalledOnValidThread() const noexcept {
  const std::thread::id current = std::this_thread::get_id();
  std::thread::id bound = bound_.load(std::memory_order_acquire);
  // Of two threads racing to bind a detached checker exactly one wins; the
  // other sees the winner's id and is on the wrong thread.
  if (bound == std::thread::id() &&
      bound_.compare_exchange_strong(bound, current, std::memory_order_acq_rel)) {
    return true;
  }
  return bound == current;
}

void CheckCalledOnValidThread(const ThreadChecker& checker, const char* checkerName,
                              std::source_location where) {
  if (checker.CalledOnValidThread()) return;
  std::fprintf(stderr, "%s:%u: %s: called on a thread other than the one %s is bound to\n",
               where.file_name(), static_cast<unsigned>(where.line()), where.function_name(),
               checkerName);
  std::fflush(stderr);
  std::abort();
}

}  // namespace platform
