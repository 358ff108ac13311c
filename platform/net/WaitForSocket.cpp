#include "platform/net/WaitForSocket.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>

#include "platform/net/VirtualClockWake.h"

namespace platform::net {
namespace {

int MillisecondsLeft(TickClock::time_point now, WaitUntil waitUntil) {
  // Whole ticks, so the clock has reached the instant when the poll ends.
  return static_cast<int>(std::min<long long>((waitUntil - now).count(), INT_MAX));
}

}  // namespace

WaitOutcome WaitForSocket(NativeSocket socket, short events, WaitUntil waitUntil) {
  std::optional<VirtualClockWake> wake;
  for (;;) {
    if (!wake && IsClockVirtual()) {
      wake.emplace();  // before the clock is read below
      if (!wake->IsValid()) return WaitOutcome::kFailed;
    }
    const auto now = TickClock::now();
    const bool passed = now >= waitUntil;
    pollfd entry{socket, events, 0};
    int ready;
    if (passed) {
      ready = ::poll(&entry, 1, 0);  // one last look at the socket
    } else if (wake && IsClockVirtual()) {
      ready = wake->PollUntilAdvance(entry);
    } else {
      ready = ::poll(&entry, 1, MillisecondsLeft(now, waitUntil));
    }
    if (ready < 0) {
      if (errno == EINTR) continue;
      return WaitOutcome::kFailed;
    }
    if (entry.revents != 0) return WaitOutcome::kReady;  // errors show in the next call
    if (passed) return WaitOutcome::kTimedOut;
  }
}

}  // namespace platform::net
