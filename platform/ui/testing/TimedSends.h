// Test support for SendMessageTimeoutW under a VirtualClock: a send counts
// its limit from the clock reading it took when it queued the message, so a
// test that advances the clock to run a send out of time must first know the
// send is waiting; an advance before that would only move its start.
#pragma once

#include <chrono>
#include <cstddef>

namespace platform::ui {

// Blocks until at least `count` SendMessageTimeoutW calls are waiting for
// their answer or their limit; false when `realLimit` of the host's time
// passed first (only a hang reaches it).
bool AwaitTimedSends(std::size_t count, std::chrono::milliseconds realLimit);

}  // namespace platform::ui
