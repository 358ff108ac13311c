#include "platform/clock/Sleep.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/clock/Clock.h"
#include "platform/clock/testing/Sleepers.h"

namespace platform {
namespace {

// How many threads wait in Sleep on a virtual clock, for tests to wait on.
struct SleeperCount {
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t waiting = 0;
};

SleeperCount& Sleepers() {
  static SleeperCount* sleepers = new SleeperCount;  // outlives static destructors
  return *sleepers;
}

class CountedSleeper {
 public:
  CountedSleeper() { Change(+1); }
  ~CountedSleeper() { Change(-1); }
  CountedSleeper(const CountedSleeper&) = delete;
  CountedSleeper& operator=(const CountedSleeper&) = delete;

 private:
  static void Change(int by) {
    SleeperCount& sleepers = Sleepers();
    std::lock_guard lock(sleepers.mutex);
    sleepers.waiting += static_cast<std::size_t>(by);
    sleepers.changed.notify_all();
  }
};

// What an advance of the clock wakes. Shared with the listener, because an
// advance may still be calling it after the sleeper has returned.
struct Wake {
  std::mutex mutex;
  std::condition_variable advanced;
};

}  // namespace

void Sleep(std::uint32_t milliseconds) {
  if (!IsClockVirtual()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return;
  }
  const std::uint64_t end = TickCount64() + milliseconds;
  auto wake = std::make_shared<Wake>();
  const ClockAdvanceListener listener([wake] {
    std::lock_guard lock(wake->mutex);
    wake->advanced.notify_all();
  });
  const CountedSleeper counted;
  std::unique_lock lock(wake->mutex);
  wake->advanced.wait(lock, [&] { return !IsClockVirtual() || TickCount64() >= end; });
}

namespace testing {

bool AwaitSleepers(std::size_t count, std::chrono::milliseconds realLimit) {
  SleeperCount& sleepers = Sleepers();
  std::unique_lock lock(sleepers.mutex);
  return sleepers.changed.wait_for(lock, realLimit, [&] { return sleepers.waiting >= count; });
}

}  // namespace testing
}  // namespace platform
