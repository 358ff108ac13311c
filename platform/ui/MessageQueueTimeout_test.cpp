#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "platform/clock/Clock.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/testing/RecordingWindowThread.h"
#include "platform/ui/testing/TimedSends.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

constexpr auto kSafetyNet = std::chrono::seconds(30);  // only ever reached when a test is broken
constexpr UINT kBusy = WM_APP + 1;                     // posted: the owner runs its busy handler
constexpr UINT kAsked = WM_USER + 7;                   // what the sender sends

using OwnerThread = platform::ui::testing::RecordingWindowThread;

struct Outcome {
  LRESULT returned;
  DWORD_PTR result;
  DWORD error;
};

std::future<Outcome> SendFromAnotherThread(HWND hwnd, UINT timeoutMs) {
  return std::async(std::launch::async, [hwnd, timeoutMs] {
    DWORD_PTR result = 12345;
    SetLastError(0);
    const LRESULT returned =
        SendMessageTimeoutW(hwnd, kAsked, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs, &result);
    return Outcome{returned, result, GetLastError()};
  });
}

TEST(SendMessageTimeout, GivesTheOwnersAnswerOnceHandled) {
  MessageLog log;
  log.handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == kAsked) return 42;
    return std::nullopt;
  };
  OwnerThread owner(log);
  auto sent = SendFromAnotherThread(owner.hwnd(), 5000);
  ASSERT_EQ(sent.wait_for(kSafetyNet), std::future_status::ready);
  const Outcome outcome = sent.get();
  EXPECT_NE(outcome.returned, 0);
  EXPECT_EQ(outcome.result, 42u);
}

TEST(SendMessageTimeout, ToAnOwnerWaitingForTheSenderEndsAtTheLimitAndIsWithdrawn) {
  VirtualClock clock(1000);
  MessageLog log;
  std::promise<std::shared_future<Outcome>> senderOf;
  auto sender = senderOf.get_future().share();
  bool senderEnded = false;
  std::promise<void> entered;
  // The owner waits for the sending thread, as a tab that closes waits for
  // its work: a plain SendMessageW would never return.
  log.handler = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message != kBusy) return std::nullopt;
    entered.set_value();
    senderEnded = sender.get().wait_for(kSafetyNet) == std::future_status::ready;
    return 0;
  };
  OwnerThread owner(log);
  ASSERT_TRUE(PostMessageW(owner.hwnd(), kBusy, 0, 0));
  // Sent messages go before posted ones: the owner must be busy first.
  ASSERT_EQ(entered.get_future().wait_for(kSafetyNet), std::future_status::ready);
  std::shared_future<Outcome> sent = SendFromAnotherThread(owner.hwnd(), 2000).share();
  senderOf.set_value(sent);
  ASSERT_TRUE(AwaitTimedSends(1, kSafetyNet));
  clock.Advance(2000);
  ASSERT_EQ(sent.wait_for(kSafetyNet), std::future_status::ready);
  EXPECT_EQ(sent.get().returned, 0);
  EXPECT_EQ(sent.get().error, ERROR_TIMEOUT);
  EXPECT_EQ(sent.get().result, 12345u);  // untouched

  EXPECT_EQ(SendMessageW(owner.hwnd(), WM_USER + 100, 0, 0), 0);  // the owner is free again
  EXPECT_TRUE(senderEnded);
  EXPECT_TRUE(log.Ids({kAsked}).empty());
}

TEST(SendMessageTimeout, ToAWindowDestroyedBeforeItWasHandledFailsWithoutWaitingForTheLimit) {
  VirtualClock clock(1000);
  MessageLog log;
  std::promise<void> release;
  auto released = release.get_future();
  std::promise<void> entered;
  log.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message != kBusy) return std::nullopt;
    entered.set_value();
    EXPECT_EQ(released.wait_for(kSafetyNet), std::future_status::ready);
    DestroyWindow(hwnd);
    return 0;
  };
  OwnerThread owner(log);
  ASSERT_TRUE(PostMessageW(owner.hwnd(), kBusy, 0, 0));
  ASSERT_EQ(entered.get_future().wait_for(kSafetyNet), std::future_status::ready);
  auto sent = SendFromAnotherThread(owner.hwnd(), 2000);
  ASSERT_TRUE(AwaitTimedSends(1, kSafetyNet));
  release.set_value();
  ASSERT_EQ(sent.wait_for(kSafetyNet), std::future_status::ready);
  const Outcome outcome = sent.get();
  EXPECT_EQ(outcome.returned, 0);
  EXPECT_NE(outcome.error, ERROR_TIMEOUT);
  EXPECT_TRUE(log.Ids({kAsked}).empty());
}

TEST(SendMessageTimeout, ToAWindowOfTheCallingThreadCallsItsProcedure) {
  MessageLog log;
  log.handler = [](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message == kAsked) return static_cast<LRESULT>(wParam * 2);
    return std::nullopt;
  };
  UniqueWindow window(CreateRecordingWindow(log));
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutW(window.Get(), kAsked, 21, 0, SMTO_BLOCK, 0, &result), 0);
  EXPECT_EQ(result, 42u);
}

TEST(SendMessageTimeout, ToNoWindowFailsAtOnce) {
  MessageLog log;
  HWND gone = CreateRecordingWindow(log);
  DestroyWindow(gone);
  DWORD_PTR result = 7;
  EXPECT_EQ(SendMessageTimeoutW(gone, kAsked, 0, 0, SMTO_BLOCK, 1000, &result), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(result, 7u);
}

}  // namespace
}  // namespace platform::ui
