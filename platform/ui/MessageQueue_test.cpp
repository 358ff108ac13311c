#include "platform/ui/MessageQueue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "platform/clock/Clock.h"
#include "platform/ui/testing/RecordingWindowThread.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

constexpr auto kSafetyNet = std::chrono::seconds(30);  // only ever reached when a test is broken

using LoopThread = platform::ui::testing::RecordingWindowThread;

TEST(MessageLoop, PostedMessagesArriveInOrderAfterSentOnes) {
  MessageLog log;
  UniqueWindow window(CreateRecordingWindow(log, nullptr, 0));
  log.Clear();
  PostMessageW(window.Get(), WM_USER + 1, 0, 0);
  PostMessageW(window.Get(), WM_USER + 2, 0, 0);
  SendMessageW(window.Get(), WM_USER + 3, 0, 0);
  EXPECT_EQ(RunUntilIdle(), 2);
  EXPECT_EQ(log.Ids(), (std::vector<UINT>{WM_USER + 3, WM_USER + 1, WM_USER + 2}));
}

TEST(MessageLoop, QuitEndsGetMessageAndRunUntilIdleLeavesIt) {
  PostQuitMessage(3);
  EXPECT_EQ(RunUntilIdle(), 0);
  MSG msg{};
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST(MessageLoop, VisibleWindowsGetOnePaintAndHiddenOnesNone) {
  MessageLog shown;
  MessageLog hidden;
  UniqueWindow a(CreateRecordingWindow(shown));
  UniqueWindow b(CreateRecordingWindow(hidden, nullptr, 0));
  RunUntilIdle();
  EXPECT_EQ(shown.Ids({WM_PAINT}).size(), 1u);
  EXPECT_TRUE(hidden.Ids({WM_PAINT}).empty());
  InvalidateRect(a.Get(), nullptr, TRUE);
  RunUntilIdle();
  EXPECT_EQ(shown.Ids({WM_PAINT}).size(), 2u);
}

TEST(CrossThreadSend, BlocksUntilTheOwnerThreadHandlesIt) {
  MessageLog log;
  DWORD handledOn = 0;
  log.handler = [&handledOn](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_USER) return std::nullopt;
    handledOn = GetCurrentThreadId();
    return static_cast<LRESULT>(wParam * 2);
  };
  LoopThread owner(log);
  EXPECT_EQ(SendMessageW(owner.hwnd(), WM_USER, 21, 0), 42);
  EXPECT_EQ(handledOn, owner.threadId());
  EXPECT_NE(handledOn, GetCurrentThreadId());
}

TEST(CrossThreadSend, OwnerSendingBackWhileTheSenderWaitsDoesNotDeadlock) {
  MessageLog mine;
  UniqueWindow myWindow(CreateRecordingWindow(mine, nullptr, 0));
  mine.handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_APP) return 7;
    return std::nullopt;
  };
  MessageLog theirs;
  HWND mineHandle = myWindow.Get();
  theirs.handler = [mineHandle](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_USER) return std::nullopt;
    EXPECT_TRUE(InSendMessage());
    return SendMessageW(mineHandle, WM_APP, 0, 0) + 1;  // nested send back to the waiting thread
  };
  LoopThread other(theirs);
  EXPECT_EQ(SendMessageW(other.hwnd(), WM_USER, 0, 0), 8);
  EXPECT_FALSE(InSendMessage());
}

TEST(CrossThreadSend, ManySendersAllGetTheirOwnAnswer) {
  MessageLog log;
  log.handler = [](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_USER) return static_cast<LRESULT>(wParam + 1);
    return std::nullopt;
  };
  LoopThread owner(log);
  std::vector<std::thread> senders;
  std::atomic<int> wrong{0};
  for (int t = 0; t < 4; ++t) {
    senders.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i) {
        const WPARAM value = static_cast<WPARAM>(t * 1000 + i);
        if (SendMessageW(owner.hwnd(), WM_USER, value, 0) != static_cast<LRESULT>(value + 1))
          ++wrong;
      }
    });
  }
  for (auto& sender : senders) sender.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST(CrossThreadSend, ToAThreadThatEndedReturnsZeroAndItsWindowsAreGone) {
  MessageLog log;
  std::promise<HWND> created;
  std::thread worker([&] { created.set_value(CreateRecordingWindow(log)); });
  worker.join();
  HWND orphan = created.get_future().get();
  EXPECT_FALSE(IsWindow(orphan));
  EXPECT_EQ(SendMessageW(orphan, WM_USER, 1, 0), 0);
}

TEST(CrossThreadSend, OnlyTheOwnerThreadMayDestroyOrFocus) {
  MessageLog log;
  LoopThread owner(log);
  EXPECT_FALSE(DestroyWindow(owner.hwnd()));
  EXPECT_EQ(SetFocus(owner.hwnd()), nullptr);
  EXPECT_TRUE(IsWindow(owner.hwnd()));
}

class TimerTest : public ::testing::Test {
 protected:
  VirtualClock clock_{1000};
  MessageLog log_;
  UniqueWindow window_{CreateRecordingWindow(log_, nullptr, 0)};

  std::vector<WPARAM> Ticks() {
    RunUntilIdle();
    std::vector<WPARAM> ids;
    for (const auto& m : log_.Messages()) {
      if (m.message == WM_TIMER) ids.push_back(m.wParam);
    }
    log_.Clear();
    return ids;
  }
};

TEST_F(TimerTest, FireOnVirtualTimeInDueOrderAndThenSetOrder) {
  SetTimer(window_.Get(), 1, 100, nullptr);
  SetTimer(window_.Get(), 2, 50, nullptr);
  clock_.Advance(49);
  EXPECT_TRUE(Ticks().empty());
  clock_.Advance(1);
  EXPECT_EQ(Ticks(), (std::vector<WPARAM>{2}));
  clock_.Advance(50);  // both due at 1100: the one set first goes first
  EXPECT_EQ(Ticks(), (std::vector<WPARAM>{1, 2}));
}

TEST_F(TimerTest, RepeatEveryPeriodButCoalesceALongJump) {
  SetTimer(window_.Get(), 100, 5000, nullptr);
  for (int i = 0; i < 3; ++i) {
    clock_.Advance(5000);
    EXPECT_EQ(Ticks(), (std::vector<WPARAM>{100}));
  }
  clock_.Advance(60000);
  EXPECT_EQ(Ticks(), (std::vector<WPARAM>{100}));
  clock_.Advance(4999);
  EXPECT_TRUE(Ticks().empty());
}

TEST_F(TimerTest, KilledAndDestroyedWindowTimersStop) {
  SetTimer(window_.Get(), 1, 10, nullptr);
  EXPECT_TRUE(KillTimer(window_.Get(), 1));
  EXPECT_FALSE(KillTimer(window_.Get(), 1));
  SetTimer(window_.Get(), 2, 10, nullptr);
  window_.Reset();
  clock_.Advance(100);
  EXPECT_TRUE(Ticks().empty());
}

TEST_F(TimerTest, PeriodBelowTheMinimumCountsAsTenMilliseconds) {
  SetTimer(window_.Get(), 1, 0, nullptr);
  clock_.Advance(9);
  EXPECT_TRUE(Ticks().empty());
  clock_.Advance(1);
  EXPECT_EQ(Ticks().size(), 1u);
}

std::vector<UINT_PTR> callbackTicks;
void CALLBACK RecordTick(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
  EXPECT_EQ(hwnd, nullptr);
  EXPECT_EQ(message, WM_TIMER);
  callbackTicks.push_back(id);
}

TEST_F(TimerTest, WindowlessTimerGetsANewIdAndCallsItsCallback) {
  callbackTicks.clear();
  const UINT_PTR id = SetTimer(nullptr, 100, 5000, RecordTick);
  ASSERT_NE(id, 0u);
  EXPECT_NE(id, 100u);  // Windows ignores the id asked for a windowless timer
  EXPECT_FALSE(KillTimer(nullptr, 100));
  EXPECT_EQ(SetTimer(nullptr, id, 1000, RecordTick), id);  // an existing id replaces that timer
  clock_.Advance(1000);
  RunUntilIdle();
  EXPECT_EQ(callbackTicks, (std::vector<UINT_PTR>{id}));
  EXPECT_TRUE(KillTimer(nullptr, id));
}

TEST(TimerOnLoopThread, AdvancingTheClockWakesAWaitingGetMessage) {
  VirtualClock clock;
  std::promise<void> armed;
  std::promise<DWORD> fired;
  std::thread worker([&] {
    MessageLog log;
    log.handler = [&fired](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (message != WM_TIMER) return std::nullopt;
      KillTimer(hwnd, 9);
      fired.set_value(GetCurrentThreadId());
      PostQuitMessage(0);
      return 0;
    };
    UniqueWindow window(CreateRecordingWindow(log, nullptr, 0));
    SetTimer(window.Get(), 9, 10000, nullptr);
    armed.set_value();
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  });
  ASSERT_EQ(armed.get_future().wait_for(kSafetyNet), std::future_status::ready);
  clock.Advance(10000);
  auto result = fired.get_future();
  ASSERT_EQ(result.wait_for(kSafetyNet), std::future_status::ready);
  EXPECT_NE(result.get(), GetCurrentThreadId());
  worker.join();
}

}  // namespace
}  // namespace platform::ui
