#include "platform/net/VirtualClockWake.h"

#include <poll.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>

#include "platform/net/WakeEvent.h"

namespace platform::net {
namespace {

struct BlockedWaits {
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t count = 0;
};

BlockedWaits& Blocked() {
  static BlockedWaits* blocked = new BlockedWaits;  // waits may run during static destruction
  return *blocked;
}

}  // namespace

// What the listener's callback shares with the wait. Advance calls copies of
// the callbacks after letting go of the clock's lock, so a copy may still run
// after the wait has ended and its listener is gone; holding this keeps the
// event's descriptor open until then, so that late signal cannot land on a
// descriptor number the system has since handed to someone else.
struct VirtualClockWake::Shared {
  WakeEvent event;
  bool blocked = false;  // guarded by Blocked().mutex

  // Under Blocked().mutex.
  void StopCounting() {
    if (!blocked) return;
    blocked = false;
    --Blocked().count;
  }
};

VirtualClockWake::VirtualClockWake()
    : shared_(std::make_shared<Shared>()), listener_([shared = shared_] {
        {
          std::lock_guard lock(Blocked().mutex);
          shared->StopCounting();
        }
        shared->event.Signal();
      }) {}

bool VirtualClockWake::IsValid() const { return shared_->event.IsValid(); }

int VirtualClockWake::PollUntilAdvance(pollfd& socket) {
  return WaitUntilAdvance([&](pollfd& wake) {
    pollfd entries[2] = {socket, wake};
    const int ready = ::poll(entries, 2, -1);
    socket.revents = entries[0].revents;
    wake.revents = entries[1].revents;
    return ready;
  });
}

int VirtualClockWake::WaitUntilAdvance(const std::function<int(pollfd& wake)>& wait) {
  auto& blocked = Blocked();
  {
    std::lock_guard lock(blocked.mutex);
    shared_->blocked = true;
    ++blocked.count;
  }
  blocked.changed.notify_all();

  pollfd wake{shared_->event.Descriptor(), POLLIN, 0};
  const int ready = wait(wake);
  const int waitError = errno;
  {
    std::lock_guard lock(blocked.mutex);
    shared_->StopCounting();
  }
  // An advance signalled after the wait returned is drained here unseen, but
  // the caller reads the clock after this, and the advance had already
  // moved it before signalling.
  if (wake.revents != 0) shared_->event.Drain();
  errno = waitError;
  return ready;
}

bool AwaitBlockedSocketWaits(std::size_t count, std::chrono::milliseconds realLimit) {
  auto& blocked = Blocked();
  std::unique_lock lock(blocked.mutex);
  return blocked.changed.wait_for(lock, realLimit, [&] { return blocked.count >= count; });
}

}  // namespace platform::net
