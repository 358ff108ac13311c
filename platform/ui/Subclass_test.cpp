#include "platform/ui/Subclass.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

// Each subclass appends its tag to the string its reference data points to.
LRESULT CALLBACK TaggingSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR refData) {
  if (message == WM_USER) *reinterpret_cast<std::string*>(refData) += static_cast<char>('0' + id);
  if (message == WM_USER + 1 && id == 2) return 99;  // swallowed by the newest
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST(Subclass, NewestRunsFirstAndTheChainEndsInTheOriginalProcedure) {
  MessageLog log;
  UniqueWindow window(CreateRecordingWindow(log));
  const auto original = GetWindowLongPtrW(window.Get(), GWLP_WNDPROC);
  std::string trail;
  ASSERT_TRUE(
      SetWindowSubclass(window.Get(), TaggingSubclass, 1, reinterpret_cast<DWORD_PTR>(&trail)));
  ASSERT_TRUE(
      SetWindowSubclass(window.Get(), TaggingSubclass, 2, reinterpret_cast<DWORD_PTR>(&trail)));
  log.Clear();
  SendMessageW(window.Get(), WM_USER, 0, 0);
  EXPECT_EQ(trail, "21");
  EXPECT_EQ(log.Ids(), (std::vector<UINT>{WM_USER}));
  EXPECT_EQ(SendMessageW(window.Get(), WM_USER + 1, 0, 0), 99);
  EXPECT_EQ(log.Ids(), (std::vector<UINT>{WM_USER}));

  ASSERT_TRUE(RemoveWindowSubclass(window.Get(), TaggingSubclass, 2));
  trail.clear();
  SendMessageW(window.Get(), WM_USER, 0, 0);
  EXPECT_EQ(trail, "1");
  ASSERT_TRUE(RemoveWindowSubclass(window.Get(), TaggingSubclass, 1));
  EXPECT_EQ(GetWindowLongPtrW(window.Get(), GWLP_WNDPROC), original);
  EXPECT_FALSE(RemoveWindowSubclass(window.Get(), TaggingSubclass, 1));
}

WNDPROC previousProc = nullptr;
int replacedCalls = 0;
LRESULT CALLBACK ReplacingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) ++replacedCalls;
  return CallWindowProcW(previousProc, hwnd, message, wParam, lParam);
}

TEST(Subclass, ReplacingTheProcedureAndPuttingItBack) {
  MessageLog log;
  UniqueWindow window(CreateRecordingWindow(log));
  previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReplacingProc)));
  log.Clear();
  SendMessageW(window.Get(), WM_USER, 0, 0);
  EXPECT_EQ(replacedCalls, 1);
  EXPECT_EQ(log.Ids(), (std::vector<UINT>{WM_USER}));
  SetWindowLongPtrW(window.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
  SendMessageW(window.Get(), WM_USER, 0, 0);
  EXPECT_EQ(replacedCalls, 1);
}

}  // namespace
}  // namespace platform::ui
