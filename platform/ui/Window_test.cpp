#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST(WindowClass, RegistersOnceAndIsFoundCaseInsensitively) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = PlainProc;
  windowClass.lpszClassName = u"Vimaru Sidebar Test";
  ASSERT_NE(RegisterClassExW(&windowClass), 0);
  EXPECT_EQ(RegisterClassExW(&windowClass), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  WNDCLASSEXW found{};
  ASSERT_TRUE(GetClassInfoExW(nullptr, u"vimaru sidebar test", &found));
  EXPECT_EQ(found.lpfnWndProc, &PlainProc);
  EXPECT_TRUE(UnregisterClassW(u"Vimaru Sidebar Test", nullptr));
  EXPECT_FALSE(GetClassInfoExW(nullptr, u"Vimaru Sidebar Test", nullptr));
}

TEST(WindowClass, BuiltInControlClassesAreRegistered) {
  for (const char16_t* name : {u"ToolbarWindow32", u"ReBarWindow32", u"ComboBox", u"Edit",
                               u"Static", u"tooltips_class32"}) {
    EXPECT_TRUE(GetClassInfoExW(nullptr, name, nullptr))
        << std::string(name, name + std::char_traits<char16_t>::length(name));
  }
}

TEST(Window, CreationSendsMessagesInWindowsOrder) {
  MessageLog log;
  UniqueWindow window(CreateRecordingWindow(log, nullptr, WS_VISIBLE, 0, RECT{10, 20, 110, 50}));
  ASSERT_TRUE(window);
  EXPECT_EQ(log.Ids(),
            (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
  const auto size = log.Messages()[2];
  EXPECT_EQ(LOWORD(size.lParam), 100);
  EXPECT_EQ(HIWORD(size.lParam), 30);
}

TEST(Window, CreateFailsForUnknownClassAndWhenWmCreateRefuses) {
  EXPECT_EQ(
      CreateWindowExW(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
  MessageLog log;
  log.handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_CREATE) return -1;
    return std::nullopt;
  };
  EXPECT_EQ(CreateRecordingWindow(log), nullptr);
  EXPECT_EQ(log.Ids({WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
            (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
}

TEST(Window, DestroySendsDestroyParentsFirstAndNcDestroyChildrenFirst) {
  MessageLog parentLog;
  MessageLog childLog;
  MessageLog grandchildLog;
  HWND parent = CreateRecordingWindow(parentLog);
  HWND child = CreateRecordingWindow(childLog, parent);
  HWND grandchild = CreateRecordingWindow(grandchildLog, child);
  MessageLog order;
  for (auto* log : {&parentLog, &childLog, &grandchildLog}) {
    log->handler = [&order](HWND hwnd, UINT message, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
      if (message == WM_DESTROY || message == WM_NCDESTROY) order.Record(hwnd, message, w, l);
      return std::nullopt;
    };
  }
  ASSERT_TRUE(DestroyWindow(parent));
  std::vector<std::pair<HWND, UINT>> seen;
  for (const auto& m : order.Messages()) seen.emplace_back(m.hwnd, m.message);
  EXPECT_EQ(seen, (std::vector<std::pair<HWND, UINT>>{{parent, WM_DESTROY},
                                                      {child, WM_DESTROY},
                                                      {grandchild, WM_DESTROY},
                                                      {grandchild, WM_NCDESTROY},
                                                      {child, WM_NCDESTROY},
                                                      {parent, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST(Window, DestroyedHandleMakesEveryCallFail) {
  MessageLog log;
  HWND parent = CreateRecordingWindow(log);
  HWND hwnd = CreateRecordingWindow(log, parent);
  ASSERT_TRUE(DestroyWindow(hwnd));
  RECT rect{};
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 1, 2), 0);
  EXPECT_FALSE(PostMessageW(hwnd, WM_USER, 1, 2));
  EXPECT_FALSE(SetWindowTextW(hwnd, u"x"));
  EXPECT_EQ(WindowText(hwnd), u"");
  EXPECT_EQ(GetParent(hwnd), nullptr);
  EXPECT_FALSE(GetWindowRect(hwnd, &rect));
  EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(SetFocus(hwnd), nullptr);
  EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_USERDATA, 5), 0);
  EXPECT_FALSE(DestroyWindow(hwnd));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(SetTimer(hwnd, 1, 100, nullptr), 0u);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  HWND another = CreateRecordingWindow(log, parent);
  EXPECT_NE(another, hwnd);  // handles are never reused
  EXPECT_FALSE(IsWindow(hwnd));
  DestroyWindow(parent);
}

TEST(Window, TextRoundTripsAndTruncatesToTheBuffer) {
  MessageLog log;
  UniqueWindow window(CreateRecordingWindow(log));
  ASSERT_TRUE(SetWindowTextW(window.Get(), u"Enter search term..."));
  EXPECT_EQ(GetWindowTextLengthW(window.Get()), 20);
  WCHAR buffer[6];
  EXPECT_EQ(GetWindowTextW(window.Get(), buffer, 6), 5);
  EXPECT_EQ(std::u16string(buffer), u"Enter");
  EXPECT_EQ(WindowText(window.Get()), u"Enter search term...");
}

TEST(Window, RectanglesAreRelativeToTheParentClientArea) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log, nullptr, WS_VISIBLE, 0, RECT{100, 50, 500, 150}));
  HWND child = CreateRecordingWindow(log, parent.Get(), WS_VISIBLE, 7, RECT{10, 5, 60, 27});
  RECT rect{};
  ASSERT_TRUE(GetWindowRect(child, &rect));
  EXPECT_EQ(rect, (RECT{110, 55, 160, 77}));
  ASSERT_TRUE(GetClientRect(child, &rect));
  EXPECT_EQ(rect, (RECT{0, 0, 50, 22}));
  POINT point{1, 1};
  MapWindowPoints(child, parent.Get(), &point, 1);
  EXPECT_EQ(point.x, 11);
  EXPECT_EQ(point.y, 6);
  log.Clear();
  MoveWindow(child, 20, 5, 50, 22, TRUE);
  EXPECT_EQ(log.Ids({WM_SIZE, WM_MOVE}), (std::vector<UINT>{WM_MOVE}));
  SetWindowPos(child, nullptr, 0, 0, 80, 22, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(GetWindowRect(child, &rect));
  EXPECT_EQ(rect, (RECT{120, 55, 200, 77}));
  EXPECT_EQ(GetDlgItem(parent.Get(), 7), child);
  EXPECT_EQ(GetDlgCtrlID(child), 7);
}

TEST(Window, VisibilityNeedsEveryAncestorAndEnableReportsThePreviousState) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log, nullptr, 0));
  HWND child = CreateRecordingWindow(log, parent.Get(), WS_VISIBLE);
  EXPECT_FALSE(IsWindowVisible(child));
  EXPECT_FALSE(ShowWindow(parent.Get(), SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_TRUE(ShowWindow(parent.Get(), SW_HIDE));
  EXPECT_FALSE(EnableWindow(child, FALSE));
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_TRUE(EnableWindow(child, TRUE));
  EXPECT_TRUE(IsWindowEnabled(child));
}

TEST(Window, FocusMovesWithKillThenSetAndLeavesWithTheWindow) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log));
  HWND first = CreateRecordingWindow(log, parent.Get());
  HWND second = CreateRecordingWindow(log, parent.Get());
  SetFocus(first);
  log.Clear();
  EXPECT_EQ(SetFocus(second), first);
  const auto messages = log.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].hwnd, first);
  EXPECT_EQ(messages[0].message, WM_KILLFOCUS);
  EXPECT_EQ(reinterpret_cast<HWND>(messages[0].wParam), second);
  EXPECT_EQ(messages[1].hwnd, second);
  EXPECT_EQ(messages[1].message, WM_SETFOCUS);
  EXPECT_EQ(reinterpret_cast<HWND>(messages[1].wParam), first);
  EXPECT_EQ(GetFocus(), second);
  DestroyWindow(second);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST(Window, FindsChildrenByClassAndName) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log));
  HWND a = CreateRecordingWindow(log, parent.Get());
  HWND b = CreateRecordingWindow(log, parent.Get());
  SetWindowTextW(b, u"Internet Explorer_Server");
  EXPECT_EQ(
      FindWindowExW(parent.Get(), nullptr, u"vimarutestrecorder", u"Internet Explorer_Server"), b);
  EXPECT_EQ(FindWindowExW(parent.Get(), nullptr, u"Static", nullptr), nullptr);
  EXPECT_EQ(GetWindow(parent.Get(), GW_CHILD), b);  // newest on top, as CreateWindow places it
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  EXPECT_EQ(WindowClassName(a), u"VimaruTestRecorder");
  EXPECT_TRUE(IsChild(parent.Get(), a));
}

TEST(Window, CaretIsOwnedPerThreadAndTheArrowCursorLoads) {
  MessageLog log;
  UniqueWindow window(CreateRecordingWindow(log));
  EXPECT_FALSE(DestroyCaret());
  EXPECT_TRUE(CreateCaret(window.Get(), nullptr, 1, 13));
  EXPECT_TRUE(DestroyCaret());
  EXPECT_FALSE(DestroyCaret());
  EXPECT_NE(LoadCursorW(nullptr, IDC_ARROW), nullptr);
}

TEST(UniqueWindow, DestroysItsWindowAndForgetsOneAlreadyGone) {
  MessageLog log;
  HWND hwnd = nullptr;
  {
    UniqueWindow window(CreateRecordingWindow(log));
    hwnd = window.Get();
  }
  EXPECT_FALSE(IsWindow(hwnd));
  UniqueWindow window(CreateRecordingWindow(log));
  DestroyWindow(window.Get());
  window.Reset();  // no second destroy, no crash
  EXPECT_EQ(log.Ids({WM_NCDESTROY}).size(), 2u);
}

}  // namespace
}  // namespace platform::ui
