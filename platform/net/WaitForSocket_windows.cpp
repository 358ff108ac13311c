#ifdef _WIN32
#include <winsock2.h>

#include <algorithm>
#include <climits>

#include "platform/net/WaitForSocket.h"

namespace platform::net {
namespace {

timeval TimeLeft(TickClock::time_point now, WaitUntil waitUntil) {
  // Whole ticks, so the clock has reached the instant when select() ends.
  const long long milliseconds = std::min<long long>((waitUntil - now).count(), INT_MAX);
  timeval left{};
  left.tv_sec = static_cast<long>(milliseconds / 1000);
  left.tv_usec = static_cast<long>(milliseconds % 1000 * 1000);
  return left;
}

}  // namespace

// select(), not WSAPoll(): before Windows 10 version 2004 WSAPoll did not
// report a connect that failed, so a refused one waited out its whole limit,
// while select() shows it in the exception set on every version.
WaitOutcome WaitForSocket(NativeSocket socket, short events, WaitUntil waitUntil) {
  for (;;) {
    const auto now = TickClock::now();
    const bool passed = now >= waitUntil;
    fd_set readable;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    if ((events & POLLIN) != 0) FD_SET(socket, &readable);
    if ((events & POLLOUT) != 0) FD_SET(socket, &writable);
    FD_SET(socket, &failed);
    timeval limit = passed ? timeval{} : TimeLeft(now, waitUntil);  // once passed, one last look
    const int ready = ::select(0, &readable, &writable, &failed, &limit);
    if (ready == SOCKET_ERROR) return WaitOutcome::kFailed;
    if (ready > 0) return WaitOutcome::kReady;  // errors show in the next call
    if (passed) return WaitOutcome::kTimedOut;
  }
}

}  // namespace platform::net
#endif
