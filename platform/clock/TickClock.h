// The tick count as a std::chrono clock, so that deadlines on the product's
// clock add and compare like any time_point. It reads TickCount64, so a
// test's VirtualClock moves it, and a wait that must end at such a deadline
// asks the product clock whether it has passed, never the host's.
#pragma once

#include <chrono>

#include "platform/clock/Clock.h"

namespace platform {

struct TickClock {
  using duration = std::chrono::milliseconds;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::time_point<TickClock>;
  // Installing or removing a VirtualClock moves the reading either way.
  static constexpr bool is_steady = false;

  static time_point now() { return time_point(duration(static_cast<rep>(TickCount64()))); }
};

}  // namespace platform
