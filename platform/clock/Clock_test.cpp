#include "platform/clock/Clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace platform {
namespace {

TEST(VirtualClock, StartsWhereToldAndMovesOnlyWhenAdvanced) {
  VirtualClock clock(1000);
  EXPECT_EQ(TickCount64(), 1000u);
  EXPECT_EQ(TickCount64(), 1000u);
  clock.Advance(250);
  EXPECT_EQ(GetTickCount(), 1250u);
  EXPECT_TRUE(IsClockVirtual());
}

TEST(VirtualClock, TickCountWrapsAt32BitsLikeGetTickCount) {
  VirtualClock clock(0xFFFFFFF0u);
  const std::uint32_t before = GetTickCount();
  clock.Advance(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);
  EXPECT_EQ(GetTickCount() - before, 0x20u);  // unsigned difference survives the wrap
  EXPECT_EQ(TickCount64(), 0x100000010u);
}

TEST(VirtualClock, WallTimeFollowsAdvanceAndCanBeSet) {
  const WallTime start{std::chrono::seconds(1'000'000)};
  VirtualClock clock(0, start);
  clock.Advance(1500);
  EXPECT_EQ(WallClockNow(), start + std::chrono::milliseconds(1500));
  clock.SetWallTime(start);
  EXPECT_EQ(WallClockNow(), start);
  EXPECT_EQ(TickCount64(), 1500u);
}

TEST(VirtualClock, RealClockReturnsWhenUninstalled) {
  { VirtualClock clock(5); }
  EXPECT_FALSE(IsClockVirtual());
  const auto a = TickCount64();
  EXPECT_GE(TickCount64(), a);
}

TEST(ClockAdvanceListener, CalledOnEveryAdvanceUntilDestroyed) {
  VirtualClock clock;
  int calls = 0;
  {
    ClockAdvanceListener listener([&] { ++calls; });
    clock.Advance(1);
    clock.Advance(0);
  }
  clock.Advance(1);
  EXPECT_EQ(calls, 2);
}

TEST(VirtualClock, ConcurrentReadersSeeMonotonicTime) {
  VirtualClock clock;
  std::atomic<bool> done{false};
  std::atomic<bool> wentBack{false};
  std::thread reader([&] {
    std::uint64_t last = 0;
    while (!done.load()) {
      const auto now = TickCount64();
      if (now < last) wentBack = true;
      last = now;
    }
  });
  for (int i = 0; i < 1000; ++i) clock.Advance(1);
  done = true;
  reader.join();
  EXPECT_FALSE(wentBack.load());
  EXPECT_EQ(TickCount64(), 1000u);
}

}  // namespace
}  // namespace platform
