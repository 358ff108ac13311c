// Sleep on the product's clock: the calling thread waits the given time as
// the clock counts it. On the host clock that is real time; under a
// VirtualClock the thread waits until the test has advanced the clock past
// the end of the wait, so a test decides when a sleeping operation goes on
// and nothing really sleeps. A clock that is uninstalled during the wait
// ends it.
#pragma once

#include <cstdint>

namespace platform {

void Sleep(std::uint32_t milliseconds);

}  // namespace platform
