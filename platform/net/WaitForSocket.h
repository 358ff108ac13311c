// poll() on one descriptor until an event or an instant on the product's
// clock, restarting after signals, for the connect, send and receive waits
// of TcpConnection. With the host's clock it polls for the time left; with
// a VirtualClock installed it blocks until the socket is ready or the clock
// has been advanced to the instant (see VirtualClockWake.h).
#pragma once

#include "platform/net/TcpConnection.h"

namespace platform::net {

enum class WaitOutcome { kReady, kTimedOut, kFailed };

// `events` are poll() events (POLLIN, POLLOUT). A socket that is ready is
// reported ready even when the instant has passed.
WaitOutcome WaitForSocket(int descriptor, short events, WaitUntil waitUntil);

}  // namespace platform::net
