// The Linux side of platform/ui/MessageQueue.h: sending, posting and retrieving messages, and
// thread timers.
#pragma once

#include "platform/ui/WindowMessages.h"

LRESULT WINAPI SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

using PDWORD_PTR = DWORD_PTR*;

constexpr UINT SMTO_NORMAL = 0x0000;
constexpr UINT SMTO_BLOCK = 0x0001;
constexpr UINT SMTO_ABORTIFHUNG = 0x0002;
constexpr DWORD ERROR_TIMEOUT = 1460;

// SendMessageW with a limit of `uTimeout` ms on the product's clock: nonzero
// with the procedure's answer in `*lpdwResult` (when given) once the target
// thread has handled it; 0 when the window is gone or destroyed before it
// was handled, the thread ended, or the time ran out (ERROR_TIMEOUT; a
// message not yet begun is then withdrawn, one being handled finishes with
// its answer dropped). SMTO_BLOCK: the sender handles no messages sent to
// it while it waits. A thread is never taken for hung here, so
// SMTO_ABORTIFHUNG changes nothing. To a window of the calling thread it
// calls the procedure directly, with no limit, as Windows does.
LRESULT WINAPI SendMessageTimeoutW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags,
                                   UINT uTimeout, PDWORD_PTR lpdwResult);
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
