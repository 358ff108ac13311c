#include "platform/ui/MessageLoopThread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace platform::ui {
namespace {

using namespace std::chrono_literals;

constexpr auto kGuard = 30s;  // only a hang reaches it

TEST(MessageLoopThread, SetUpWorkAndTearDownRunInOrderOnTheThread) {
  std::vector<DWORD> threads;
  std::vector<int> order;
  {
    MessageLoopThread thread(
        [&] {
          threads.push_back(GetCurrentThreadId());
          order.push_back(1);
        },
        [&] {
          threads.push_back(GetCurrentThreadId());
          order.push_back(4);
        });
    ASSERT_TRUE(thread.Run(
        [&] {
          threads.push_back(GetCurrentThreadId());
          order.push_back(2);
        },
        kGuard));
    thread.Post([&] { order.push_back(3); });
    EXPECT_NE(thread.ThreadId(), GetCurrentThreadId());
    EXPECT_EQ(threads.front(), thread.ThreadId());
  }
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4})) << "posted work runs before the quit";
  EXPECT_EQ(threads.size(), 3u);
  EXPECT_EQ(threads[1], threads[0]);
  EXPECT_EQ(threads[2], threads[0]);
}

TEST(MessageLoopThread, WhatTheWorkThrowsIsThrownToTheWaiter) {
  MessageLoopThread thread;
  EXPECT_THROW(thread.Run([] { throw std::runtime_error("no"); }, kGuard), std::runtime_error);
  EXPECT_TRUE(thread.Run([] {}, kGuard)) << "the loop goes on";
}

TEST(MessageLoopThread, ItsWindowsGetTheirMessagesBetweenTheWork) {
  MessageLoopThread thread;
  HWND window = nullptr;
  ASSERT_TRUE(thread.Run(
      [&] {
        window = CreateWindowExW(0, WC_STATICW, u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
      },
      kGuard));
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"set"));
  std::u16string text;
  ASSERT_TRUE(thread.Run(
      [&] {
        text = WindowText(window);
        DestroyWindow(window);
      },
      kGuard));
  EXPECT_EQ(text, u"set") << "the loop dispatched what was posted before the work";
}

}  // namespace
}  // namespace platform::ui
