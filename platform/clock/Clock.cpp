#include "platform/clock/Clock.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

namespace platform {
namespace {

struct ClockState {
  std::mutex mutex;
  bool virtualInstalled = false;
  std::uint64_t virtualTick = 0;
  WallTime virtualWall;
  std::uint64_t nextListenerId = 1;
  std::map<std::uint64_t, std::function<void()>> listeners;
};

ClockState& State() {
  static ClockState* state = new ClockState;  // outlives every static destructor that may read it
  return *state;
}

std::uint64_t RealTickMs() {
  static const auto start = std::chrono::steady_clock::now();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - start)
                                        .count());
}

}  // namespace

std::uint64_t TickCount64() {
  auto& state = State();
  std::lock_guard lock(state.mutex);
  return state.virtualInstalled ? state.virtualTick : RealTickMs();
}

std::uint32_t GetTickCount() { return static_cast<std::uint32_t>(TickCount64()); }

WallTime WallClockNow() {
  auto& state = State();
  std::lock_guard lock(state.mutex);
  return state.virtualInstalled ? state.virtualWall : std::chrono::system_clock::now();
}

std::int64_t WallClockSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(WallClockNow().time_since_epoch()).count();
}

bool IsClockVirtual() {
  auto& state = State();
  std::lock_guard lock(state.mutex);
  return state.virtualInstalled;
}

VirtualClock::VirtualClock(std::uint64_t startTickMs, WallTime startWall) {
  auto& state = State();
  std::lock_guard lock(state.mutex);
  if (state.virtualInstalled) std::abort();
  state.virtualInstalled = true;
  state.virtualTick = startTickMs;
  state.virtualWall = startWall;
}

VirtualClock::~VirtualClock() {
  {
    auto& state = State();
    std::lock_guard lock(state.mutex);
    state.virtualInstalled = false;
  }
  // Waiters that blocked for virtual time must now fall back to real time.
  Advance(0);
}

void VirtualClock::Advance(std::uint64_t milliseconds) {
  auto& state = State();
  std::vector<std::function<void()>> toCall;
  {
    std::lock_guard lock(state.mutex);
    state.virtualTick += milliseconds;
    state.virtualWall += std::chrono::milliseconds(milliseconds);
    for (auto& [id, listener] : state.listeners) toCall.push_back(listener);
  }
  for (auto& listener : toCall) listener();
}

void VirtualClock::SetWallTime(WallTime wall) {
  auto& state = State();
  std::lock_guard lock(state.mutex);
  state.virtualWall = wall;
}

ClockAdvanceListener::ClockAdvanceListener(std::function<void()> onAdvance) {
  auto& state = State();
  std::lock_guard lock(state.mutex);
  id_ = state.nextListenerId++;
  state.listeners.emplace(id_, std::move(onAdvance));
}

ClockAdvanceListener::~ClockAdvanceListener() {
  auto& state = State();
  std::lock_guard lock(state.mutex);
  state.listeners.erase(id_);
}

}  // namespace platform
