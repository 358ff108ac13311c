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

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/ui/Keyboard_linux.h"
#endif

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
