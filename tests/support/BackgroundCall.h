// Runs a blocking call on a thread of its own, so that the test thread can
// move a VirtualClock while the call waits on it:
//
//   platform::VirtualClock clock;
//   test_support::BackgroundCall call(clock, [&] { read = connection.Receive(buffer, limit); });
//   ASSERT_TRUE(platform::net::AwaitBlockedSocketWaits(1, test_support::kCallWait));
//   clock.Advance(50);
//   ASSERT_TRUE(call.Join());
//
// Join waits for the call at most kCallWait of real time, a guard against a
// call that never ends, not a measure of it. A call still running when the
// object goes (a failed ASSERT left the test early, or Join gave up) is
// joined after moving the clock a day on, past the deadline of the wait it
// is in; a wait it begins after that ends with the scripted peer's guard.
// Declare the clock before this object and whatever the call uses before it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/clock/Clock.h"

namespace test_support {

inline constexpr std::chrono::milliseconds kCallWait{5000};

class BackgroundCall {
 public:
  BackgroundCall(platform::VirtualClock& clock, std::function<void()> call);
  ~BackgroundCall();
  BackgroundCall(const BackgroundCall&) = delete;
  BackgroundCall& operator=(const BackgroundCall&) = delete;

  // True when the call has returned (within kCallWait); its effects are then
  // visible to the test thread.
  [[nodiscard]] bool Join();

 private:
  platform::VirtualClock& clock_;
  std::mutex mutex_;
  std::condition_variable returned_;
  bool done_ = false;
  std::thread thread_;  // last, so it starts once the members above exist
};

}  // namespace test_support
