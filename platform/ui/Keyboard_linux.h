// The Linux side of platform/ui/Keyboard.h: keyboard hooks and key states.
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/ui/WindowMessages.h"

constexpr int WH_KEYBOARD = 2;
constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;

// Only thread hooks: `threadId` must name a thread that uses the toolkit;
// 0 (a global hook) is refused.
HHOOK WINAPI SetWindowsHookExW(int hookKind, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL WINAPI UnhookWindowsHookEx(HHOOK hook);
LRESULT WINAPI CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// High bit (negative value) while the key is down; GetKeyState's low bit is
// the toggle state. GetAsyncKeyState reads the keyboard now; GetKeyState the
// calling thread's state as of the key messages it has retrieved.
SHORT WINAPI GetKeyState(int virtualKey);
SHORT WINAPI GetAsyncKeyState(int virtualKey);
