// Test support for Sleep under a VirtualClock: a sleep counts its end from
// the clock reading it took when it started, so a test that advances the
// clock to end it must first know it has started; an advance before that
// would only move its start.
#pragma once

#include <chrono>
#include <cstddef>

namespace platform::testing {

// Blocks until at least `count` threads are inside Sleep on the virtual
// clock; false when `realLimit` of the host's time passed first (only a
// hang reaches it).
bool AwaitSleepers(std::size_t count, std::chrono::milliseconds realLimit);

}  // namespace platform::testing
