#include "platform/clock/Sleep.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "platform/clock/Clock.h"
#include "platform/clock/testing/Sleepers.h"

namespace platform {
namespace {

constexpr auto kSafetyNet = std::chrono::seconds(30);  // only ever reached when a test is broken

std::future<std::uint64_t> SleepOnAnotherThread(std::uint32_t milliseconds) {
  return std::async(std::launch::async, [milliseconds] {
    Sleep(milliseconds);
    return TickCount64();
  });
}

TEST(Sleep, OnTheVirtualClockEndsOnlyOnceTheClockHasPassedItsEnd) {
  VirtualClock clock(5000);
  std::future<std::uint64_t> woke = SleepOnAnotherThread(1000);
  ASSERT_TRUE(testing::AwaitSleepers(1, kSafetyNet));
  clock.Advance(999);
  clock.Advance(1);
  ASSERT_EQ(woke.wait_for(kSafetyNet), std::future_status::ready);
  EXPECT_EQ(woke.get(), 6000u);
}

TEST(Sleep, EndsWhenTheVirtualClockIsUninstalled) {
  std::future<std::uint64_t> woke;
  {
    VirtualClock clock;
    woke = SleepOnAnotherThread(1000);
    ASSERT_TRUE(testing::AwaitSleepers(1, kSafetyNet));
  }
  EXPECT_EQ(woke.wait_for(kSafetyNet), std::future_status::ready);
}

TEST(Sleep, ForNoTimeReturnsAtOnceOnEitherClock) {
  Sleep(0);
  VirtualClock clock(7);
  Sleep(0);
  EXPECT_EQ(TickCount64(), 7u);
}

}  // namespace
}  // namespace platform
