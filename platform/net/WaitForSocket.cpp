#include "platform/net/WaitForSocket.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace platform::net {

WaitOutcome WaitForSocket(int descriptor, short events, WaitUntil waitUntil) {
  for (;;) {
    // Whole ticks, so the clock has reached the instant when the poll ends.
    auto left = waitUntil - TickClock::now();
    if (left.count() < 0) left = left.zero();
    pollfd entry{descriptor, events, 0};
    int timeoutMs = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
    int ready = ::poll(&entry, 1, timeoutMs);
    if (ready > 0) return WaitOutcome::kReady;  // errors show in the next call
    if (ready == 0) {
      if (TickClock::now() >= waitUntil) return WaitOutcome::kTimedOut;
      continue;
    }
    if (errno != EINTR) return WaitOutcome::kFailed;
  }
}

}  // namespace platform::net
