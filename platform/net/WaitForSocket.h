// Waits on one socket until an event or an instant on the product's clock,
// for the connect, send and receive waits of TcpConnection. On Linux it
// poll()s, restarting after signals: with the host's clock for the time
// left, with a VirtualClock installed until the socket is ready or the clock
// has been advanced to the instant (see VirtualClockWake.h). On Windows it
// select()s for the time left on the host's clock: virtual clocks are a
// facility of the Linux tests.
#pragma once

#include "platform/net/TcpConnection.h"

namespace platform::net {

enum class WaitOutcome { kReady, kTimedOut, kFailed };

// `events` are poll() events (POLLIN, POLLOUT; WinSock defines the same
// names). A socket that is ready is reported ready even when the instant has
// passed; on Windows a connect that failed counts as ready, as poll()
// reports it on Linux, so the caller reads the outcome from SO_ERROR.
WaitOutcome WaitForSocket(NativeSocket socket, short events, WaitUntil waitUntil);

}  // namespace platform::net
