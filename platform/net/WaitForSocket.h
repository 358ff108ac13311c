// poll() on one descriptor until an event or an instant on the product's
// clock, restarting after signals, for the connect, send and receive waits
// of TcpConnection.
#pragma once

#include "platform/net/TcpConnection.h"

namespace platform::net {

enum class WaitOutcome { kReady, kTimedOut, kFailed };

// `events` are poll() events (POLLIN, POLLOUT).
WaitOutcome WaitForSocket(int descriptor, short events, WaitUntil waitUntil);

}  // namespace platform::net
