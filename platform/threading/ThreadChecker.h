// Thread affinity, checked rather than only written down. An object that
// lives on one thread (the browser window's, for the toolbar) holds a
// checker and asserts it at its entry points:
//
//   class ToolBandC {
//     ...
//     THREAD_CHECKER(threadChecker_);
//   };
//   void ToolBandC::LayoutControls() {
//     DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
//     ...
//   }
//
// The checker is bound to the thread that constructs it. An object built on
// one thread and handed to another before its first use says so with
// DETACH_FROM_THREAD at the hand-over; the next check binds it to the thread
// that makes it.
//
// The macros do something only in builds with VIMARU_THREAD_CHECKS (the
// sanitizer presets): a check on the wrong thread then writes the file, line
// and function of the check and the checker's name, and aborts. Elsewhere
// THREAD_CHECKER declares nothing, so the object is not even a byte larger,
// and the checks vanish.
#pragma once

#include <atomic>
#include <source_location>
#include <thread>

namespace platform {

// Always built, so its own behaviour is tested in every build; product code
// uses it through the macros below.
class ThreadChecker {
 public:
  ThreadChecker() noexcept : bound_(std::this_thread::get_id()) {}
  ThreadChecker(const ThreadChecker&) = delete;
  ThreadChecker& operator=(const ThreadChecker&) = delete;

  // True on the bound thread. A detached checker binds to the thread that
  // asks first and answers true to it.
  bool CalledOnValidThread() const noexcept;

  // Forgets the bound thread; see the hand-over above.
  void DetachFromThread() noexcept { bound_.store(std::thread::id(), std::memory_order_release); }

 private:
  // The default id means "detached". Atomic: a check from the wrong thread
  // may run while the right one checks or detaches, and that must be seen
  // as a wrong thread, not as a data race.
  mutable std::atomic<std::thread::id> bound_;
};

// Reports the failed check and aborts; does not return when `checker`
// is on another thread.
void CheckCalledOnValidThread(const ThreadChecker& checker, const char* checkerName,
                              std::source_location where = std::source_location::current());

}  // namespace platform

#if defined(VIMARU_THREAD_CHECKS) && VIMARU_THREAD_CHECKS
namespace platform {
inline constexpr bool kThreadChecksOn = true;
}
#define THREAD_CHECKER(name) ::platform::ThreadChecker name
#define DCHECK_CALLED_ON_VALID_THREAD(name) ::platform::CheckCalledOnValidThread(name, #name)
#define DETACH_FROM_THREAD(name) (name).DetachFromThread()
#else
namespace platform {
inline constexpr bool kThreadChecksOn = false;
}
#define THREAD_CHECKER(name) static_assert(true, "")
#define DCHECK_CALLED_ON_VALID_THREAD(name) static_cast<void>(0)
#define DETACH_FROM_THREAD(name) static_cast<void>(0)
#endif
