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
  auto& blocked = Blocked();
  {
    std::lock_guard lock(blocked.mutex);
    shared_->blocked = true;
    ++blocked.count;
  }
  blocked.changed.notify_all();

  pollfd entries[2] = {socket, {shared_->event.Descriptor(), POLLIN, 0}};
  int ready = ::poll(entries, 2, -1);
  const int pollError = errno;
  {
    std::lock_guard lock(blocked.mutex);
    shared_->StopCounting();
  }
  // An advance signalled after poll() returned is drained here unseen, but
  // the caller reads the clock after this, and the advance had already
  // moved it before signalling.
  if (entries[1].revents != 0) shared_->event.Drain();
  socket.revents = entries[0].revents;
  errno = pollError;
  return ready;
}

bool AwaitBlockedSocketWaits(std::size_t count, std::chrono::milliseconds realLimit) {
  auto& blocked = Blocked();
  std::unique_lock lock(blocked.mutex);
  return blocked.changed.wait_for(lock, realLimit, [&] { return blocked.count >= count; });
}

}  // namespace platform::net
