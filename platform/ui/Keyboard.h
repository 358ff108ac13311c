// Keyboard hooks and key states (SetWindowsHookEx with WH_KEYBOARD,
// GetKeyState, GetAsyncKeyState), and the keyboard a test or a host types on.
//
// Key messages reach a thread the way Windows delivers them: KeyDown posts
// WM_KEYDOWN (WM_SYSKEYDOWN while Alt is held without Ctrl) to the calling
// thread's focus window; when its loop retrieves the message the thread's
// WH_KEYBOARD hooks run, newest first, with code HC_ACTION, the virtual key
// and the key flags (bits 0-15 repeat count 1, bit 24 extended key, bit 29
// Alt held, bit 30 key was already down, bit 31 key is being released); a
// hook that returns non-zero swallows the message.
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/ui/WindowMessages.h"

constexpr int WH_KEYBOARD = 2;
constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;

// Only thread hooks: `threadId` must name a thread that uses the toolkit;
// 0 (a global hook) is refused.
HHOOK SetWindowsHookExW(int hookKind, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// High bit (negative value) while the key is down; GetKeyState's low bit is
// the toggle state. GetAsyncKeyState reads the keyboard now; GetKeyState the
// calling thread's state as of the key messages it has retrieved.
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);

namespace platform::ui {

// The user presses or releases a key. Shift, Control and Alt also press
// their left-hand variants.
void KeyDown(int virtualKey);
void KeyUp(int virtualKey);
void PressKey(int virtualKey);
// Holds the modifiers, presses the key, releases in reverse order.
void PressChord(std::initializer_list<int> modifiers, int virtualKey);
// Characters arrive as WM_CHAR messages alone, as from an input method.
void TypeCharacters(std::u16string_view text);
// Releases every key (between tests).
void ReleaseAllKeys();

}  // namespace platform::ui
