// The Linux side of platform/ui/MessageQueue.h: sending, posting and retrieving messages, and
// thread timers.
#pragma once

#include "platform/ui/WindowMessages.h"

LRESULT WINAPI SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void WINAPI PostQuitMessage(int exitCode);
// TRUE while the calling thread handles a message sent by another thread.
BOOL WINAPI InSendMessage();

// Blocks until a message arrives; 0 for WM_QUIT, -1 on error. With a
// VirtualClock installed a wait for a timer lasts until the clock advances.
BOOL WINAPI GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL WINAPI PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Posts WM_CHAR / WM_SYSCHAR for key-down messages of keys that type a
// character (letters, digits, space, Enter, Backspace, Tab, Escape).
BOOL WINAPI TranslateMessage(const MSG* msg);
// WM_TIMER with a callback in lParam calls the callback, as Windows does.
LRESULT WINAPI DispatchMessageW(const MSG* msg);

// Thread timers. Periods below 10 ms count as 10 ms (USER_TIMER_MINIMUM). A
// due timer yields one WM_TIMER and is then due again one period after the
// moment it was handled: time that passed in one jump yields one tick, not
// one per period missed, as in Windows.
//
// With a window: the timer is (hwnd, id); setting it again replaces it; the
// result is the id. Without a window: when `id` names an existing timer of
// this thread that timer is replaced, otherwise `id` is ignored and a new id
// is returned, exactly as Windows does. Keep the returned id to kill it.
UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC callback);
BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id);
