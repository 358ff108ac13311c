#include "platform/ui/Mouse.h"

#include <gtest/gtest.h>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

HCURSOR__* const kHandCursor = reinterpret_cast<HCURSOR__*>(0x60010);

LRESULT CALLBACK HandCursorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A child of a class with a cursor of its own.
HWND CreateHandChild(HWND parent) {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = HandCursorProc;
    windowClass.lpszClassName = u"VimaruTestHand";
    windowClass.hCursor = kHandCursor;
    return RegisterClassExW(&windowClass) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExW(0, u"VimaruTestHand", u"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent,
                         nullptr, nullptr, nullptr);
}

TEST(Mouse, MovingOverAWindowSetsTheCursorThenPostsTheMove) {
  MessageLog log;
  UniqueWindow window(CreateRecordingWindow(log));
  RunUntilIdle();  // its first paint
  log.Clear();
  ASSERT_TRUE(MoveMouseOver(window.Get(), POINT{12, 7}));
  auto messages = log.Messages();
  ASSERT_EQ(messages.size(), 1u);  // the move waits in the queue
  EXPECT_EQ(messages[0].message, WM_SETCURSOR);
  EXPECT_EQ(reinterpret_cast<HWND>(messages[0].wParam), window.Get());
  EXPECT_EQ(LOWORD(static_cast<DWORD_PTR>(messages[0].lParam)), HTCLIENT);
  EXPECT_EQ(HIWORD(static_cast<DWORD_PTR>(messages[0].lParam)), WM_MOUSEMOVE);
  RunUntilIdle();
  messages = log.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].message, WM_MOUSEMOVE);
  EXPECT_EQ(messages[1].lParam, MAKELPARAM(12, 7));
  UniqueWindow gone(CreateRecordingWindow(log));
  HWND goneHandle = gone.Get();
  gone.Reset();
  EXPECT_FALSE(MoveMouseOver(goneHandle));
}

TEST(Mouse, AChildAsksItsParentFirstAndOtherwiseTakesItsClassCursor) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log));
  HWND child = CreateHandChild(parent.Get());
  SetCursor(nullptr);
  log.Clear();
  MoveMouseOver(child);
  EXPECT_EQ(log.Ids({WM_SETCURSOR}).size(), 1u);  // the parent was asked
  EXPECT_EQ(reinterpret_cast<HWND>(log.Messages()[0].wParam), child);
  EXPECT_EQ(GetCursor(), kHandCursor);

  SetCursor(nullptr);
  log.handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_SETCURSOR) return TRUE;
    return std::nullopt;
  };
  MoveMouseOver(child);
  EXPECT_EQ(GetCursor(), nullptr);  // the parent decided
  RunUntilIdle();
}

}  // namespace
}  // namespace platform::ui
