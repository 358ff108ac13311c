#include "platform/ui/WindowImpl.h"

#include <gtest/gtest.h>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

class ReflectionWindow : public WindowImpl {
 public:
  std::vector<UINT> seen;
  int finalMessages = 0;

 protected:
  bool ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
    seen.push_back(message);
    if (message == WM_USER) {
      result = static_cast<LRESULT>(wParam + 1);
      return true;
    }
    if (message == WM_USER + 1) {
      result = DefaultProc(message, wParam, 0) + 100;  // then the previous procedure too
      return true;
    }
    return false;
  }
  void OnFinalMessage(HWND) override { ++finalMessages; }
};

TEST(WindowImpl, CreatedWindowRoutesEveryMessageIncludingCreation) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log));
  ReflectionWindow reflection;
  HWND hwnd = reflection.Create(u"OrvaneReflectionWindow", parent.Get(), RECT{0, 0, 100, 20},
                                nullptr, WS_CHILD, 0, 8);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(reflection.Handle(), hwnd);
  EXPECT_EQ(GetDlgCtrlID(hwnd), 8);
  EXPECT_EQ(reflection.seen.front(), WM_NCCREATE);
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 41, 0), 42);
  SetWindowTextW(hwnd, u"unhandled goes to DefWindowProc");
  EXPECT_EQ(WindowText(hwnd), u"unhandled goes to DefWindowProc");
  DestroyWindow(hwnd);
  EXPECT_EQ(reflection.Handle(), nullptr);
  EXPECT_EQ(reflection.finalMessages, 1);

  WNDCLASSEXW other{};
  other.cbSize = sizeof(other);
  other.lpfnWndProc = DefWindowProcW;
  other.lpszClassName = u"SomebodyElsesClass";
  RegisterClassExW(&other);
  ReflectionWindow wrongClass;
  EXPECT_EQ(wrongClass.Create(u"SomebodyElsesClass", nullptr, RECT{}, nullptr, 0), nullptr);
}

TEST(WindowImpl, SubclassedWindowKeepsItsProcedureForWhatTheObjectPassesOn) {
  MessageLog log;
  UniqueWindow rebar(CreateRecordingWindow(log));
  ReflectionWindow toolband;
  ASSERT_TRUE(toolband.SubclassWindow(rebar.Get()));
  log.handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_USER + 1) return 5;
    return std::nullopt;
  };
  log.Clear();
  EXPECT_EQ(SendMessageW(rebar.Get(), WM_USER, 1, 0), 2);
  EXPECT_EQ(SendMessageW(rebar.Get(), WM_USER + 1, 0, 0), 105);
  EXPECT_EQ(log.Ids(), (std::vector<UINT>{WM_USER + 1}));
  EXPECT_EQ(toolband.UnsubclassWindow(), rebar.Get());
  toolband.seen.clear();
  SendMessageW(rebar.Get(), WM_USER, 1, 0);
  EXPECT_TRUE(toolband.seen.empty());
}

TEST(WindowImpl, DestroyingTheObjectFirstDetachesThenDestroysItsWindow) {
  HWND hwnd = nullptr;
  {
    ReflectionWindow reflection;
    hwnd = reflection.Create(u"OrvaneReflectionWindow", nullptr, RECT{0, 0, 10, 10}, nullptr, 0);
    ASSERT_NE(hwnd, nullptr);
  }
  EXPECT_FALSE(IsWindow(hwnd));

  MessageLog log;
  UniqueWindow edit(CreateRecordingWindow(log));
  {
    ReflectionWindow takeover;
    takeover.SubclassWindow(edit.Get());
  }
  EXPECT_TRUE(IsWindow(edit.Get()));  // a subclassed window is only given back
  EXPECT_EQ(SendMessageW(edit.Get(), WM_USER, 1, 0), 0);
}

}  // namespace
}  // namespace platform::ui
