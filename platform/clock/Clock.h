// The one clock of the whole product. Product code asks it for the tick
// count (what GetTickCount answers: milliseconds since an arbitrary start,
// wrapping at 2^32) and for the wall time; message loops run their timers on
// it. By default it follows the host's clocks. Tests and benchmarks install a
// VirtualClock and move time forward themselves, so nothing ever sleeps.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace platform {

using WallTime = std::chrono::system_clock::time_point;

// Milliseconds on the monotonic tick clock, never wrapping.
std::uint64_t TickCount64();

// GetTickCount: the low 32 bits of TickCount64, so it wraps after 49.7 days
// exactly as the real one does; compare with unsigned subtraction.
std::uint32_t GetTickCount();

WallTime WallClockNow();

// What time(nullptr) answers: whole seconds since 1970 on the wall clock.
std::int64_t WallClockSeconds();

// True while a VirtualClock is installed: waiting on real time would then
// never see a timer come due, so waiters block until time is advanced.
bool IsClockVirtual();

// While alive, every clock reading comes from this object. Installing a
// second one while the first lives is a programming error and aborts; so is
// destroying them out of order. Thread-safe: any thread may read or advance.
class VirtualClock {
 public:
  explicit VirtualClock(std::uint64_t startTickMs = 0,
                        WallTime startWall = WallTime(std::chrono::hours(24 * 365 * 30)));
  ~VirtualClock();
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  // Moves tick count and wall time forward together, then tells every
  // advance listener (message loops wake up to run timers that came due).
  void Advance(std::uint64_t milliseconds);
  // Sets the wall time alone (the user changed the system time).
  void SetWallTime(WallTime wall);
};

// Keeps a callback that runs after every VirtualClock::Advance, on the
// advancing thread, with no clock lock held. Used by message loops to wake
// threads that wait for a timer.
class ClockAdvanceListener {
 public:
  explicit ClockAdvanceListener(std::function<void()> onAdvance);
  ~ClockAdvanceListener();
  ClockAdvanceListener(const ClockAdvanceListener&) = delete;
  ClockAdvanceListener& operator=(const ClockAdvanceListener&) = delete;

 private:
  std::uint64_t id_;
};

}  // namespace platform
