#include "platform/ui/Keyboard.h"

#include <gtest/gtest.h>

#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

struct HookCall {
  char hook;
  int code;
  WPARAM key;
  LPARAM flags;
};
std::vector<HookCall> hookCalls;
HHOOK firstHook = nullptr;
HHOOK secondHook = nullptr;
bool secondSwallows = false;

LRESULT CALLBACK FirstHook(int code, WPARAM key, LPARAM flags) {
  hookCalls.push_back({'1', code, key, flags});
  return CallNextHookEx(firstHook, code, key, flags);
}

LRESULT CALLBACK SecondHook(int code, WPARAM key, LPARAM flags) {
  hookCalls.push_back({'2', code, key, flags});
  if (secondSwallows) return 1;
  return CallNextHookEx(secondHook, code, key, flags);
}

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hookCalls.clear();
    secondSwallows = false;
    window_.Reset(CreateRecordingWindow(log_));
    SetFocus(window_.Get());
    RunUntilIdle();
    log_.Clear();
  }
  void TearDown() override {
    if (firstHook) UnhookWindowsHookEx(firstHook);
    if (secondHook) UnhookWindowsHookEx(secondHook);
    firstHook = secondHook = nullptr;
    ReleaseAllKeys();
  }
  MessageLog log_;
  UniqueWindow window_;
};

TEST_F(KeyboardTest, HooksRunNewestFirstWithTheKeyFlags) {
  firstHook = SetWindowsHookExW(WH_KEYBOARD, FirstHook, nullptr, GetCurrentThreadId());
  secondHook = SetWindowsHookExW(WH_KEYBOARD, SecondHook, nullptr, GetCurrentThreadId());
  PressKey(VK_F1 + 4);
  RunUntilIdle();
  ASSERT_EQ(hookCalls.size(), 4u);
  EXPECT_EQ(hookCalls[0].hook, '2');
  EXPECT_EQ(hookCalls[1].hook, '1');
  EXPECT_EQ(hookCalls[0].code, HC_ACTION);
  EXPECT_EQ(hookCalls[0].key, static_cast<WPARAM>(VK_F1 + 4));
  EXPECT_EQ(static_cast<DWORD>(hookCalls[0].flags), 0x00000001u);  // down: repeat 1, no other bit
  EXPECT_EQ(static_cast<DWORD>(hookCalls[2].flags),
            0xC0000001u);  // up: previous state and transition
  EXPECT_EQ(log_.Ids({WM_KEYDOWN, WM_KEYUP}), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
}

TEST_F(KeyboardTest, AltSetsBit29AndMakesSystemKeysAndModifiersShowInAsyncState) {
  firstHook = SetWindowsHookExW(WH_KEYBOARD, FirstHook, nullptr, GetCurrentThreadId());
  KeyDown(VK_MENU);
  KeyDown('S');
  EXPECT_LT(GetAsyncKeyState(VK_MENU), 0);
  EXPECT_LT(GetAsyncKeyState(VK_LMENU), 0);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);
  KeyUp('S');
  KeyUp(VK_MENU);
  RunUntilIdle();
  ASSERT_EQ(hookCalls.size(), 4u);
  EXPECT_TRUE(hookCalls[1].flags & (1 << 29));
  EXPECT_EQ(log_.Ids({WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN, WM_KEYUP}),
            (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP}));
  EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0);
}

TEST_F(KeyboardTest, HeldKeyRepeatsWithThePreviousStateBit) {
  firstHook = SetWindowsHookExW(WH_KEYBOARD, FirstHook, nullptr, GetCurrentThreadId());
  KeyDown(VK_DOWN);
  KeyDown(VK_DOWN);
  RunUntilIdle();
  ASSERT_EQ(hookCalls.size(), 2u);
  EXPECT_EQ(static_cast<DWORD>(hookCalls[0].flags), 0x01000001u);  // extended key
  EXPECT_EQ(static_cast<DWORD>(hookCalls[1].flags), 0x41000001u);
  EXPECT_LT(GetKeyState(VK_DOWN), 0);
}

TEST_F(KeyboardTest, SwallowingHookStopsTheChainAndTheMessage) {
  firstHook = SetWindowsHookExW(WH_KEYBOARD, FirstHook, nullptr, GetCurrentThreadId());
  secondHook = SetWindowsHookExW(WH_KEYBOARD, SecondHook, nullptr, GetCurrentThreadId());
  secondSwallows = true;
  PressKey('A');
  RunUntilIdle();
  EXPECT_EQ(hookCalls.size(), 2u);
  EXPECT_EQ(hookCalls[0].hook, '2');
  EXPECT_TRUE(log_.Ids({WM_KEYDOWN, WM_KEYUP, WM_CHAR}).empty());
}

TEST_F(KeyboardTest, UnhookedProcedureIsNoLongerCalled) {
  firstHook = SetWindowsHookExW(WH_KEYBOARD, FirstHook, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(UnhookWindowsHookEx(firstHook));
  EXPECT_FALSE(UnhookWindowsHookEx(firstHook));
  firstHook = nullptr;
  PressKey('A');
  RunUntilIdle();
  EXPECT_TRUE(hookCalls.empty());
  EXPECT_EQ(SetWindowsHookExW(WH_KEYBOARD, FirstHook, nullptr, 0), nullptr);
}

TEST_F(KeyboardTest, TranslatedCharacterArrivesBeforeTheKeyUp) {
  PressChord({VK_SHIFT}, 'Q');
  PressKey(VK_RETURN);
  RunUntilIdle();
  std::vector<std::pair<UINT, WPARAM>> seen;
  for (const auto& m : log_.Messages()) {
    if (m.message == WM_CHAR ||
        ((m.message == WM_KEYDOWN || m.message == WM_KEYUP) && m.wParam != VK_SHIFT)) {
      seen.emplace_back(m.message, m.wParam);
    }
  }
  EXPECT_EQ(seen, (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, 'Q'},
                                                        {WM_CHAR, u'Q'},
                                                        {WM_KEYUP, 'Q'},
                                                        {WM_KEYDOWN, VK_RETURN},
                                                        {WM_CHAR, u'\r'},
                                                        {WM_KEYUP, VK_RETURN}}));
}

}  // namespace
}  // namespace platform::ui
