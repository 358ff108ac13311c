// Per-thread message loops, shaped like the Win32 functions of the same
// names, plus RunUntilIdle for tests and hosts that pump without blocking.
//
// Retrieval order on a thread, as in Windows: messages other threads are
// sending are handled first (they are never returned), then posted messages
// in order, then WM_QUIT, then WM_PAINT for windows that need painting, then
// WM_TIMER for timers that are due on the product's clock (platform/clock).
//
// SendMessageW to a window of the calling thread calls its procedure
// directly. To a window of another thread it queues the message for that
// thread and blocks until the thread has handled it in GetMessageW,
// PeekMessageW or RunUntilIdle; while it waits, the sender handles messages
// sent to its own windows, so two threads sending to each other do not
// deadlock. A send to a thread that has ended, or to a window destroyed
// before it was handled, returns 0.
#pragma once

#include "platform/ui/WindowMessages.h"

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// TRUE while the calling thread handles a message sent by another thread.
BOOL InSendMessage();

// Blocks until a message arrives; 0 for WM_QUIT, -1 on error. With a
// VirtualClock installed a wait for a timer lasts until the clock advances.
BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Posts WM_CHAR / WM_SYSCHAR for key-down messages of keys that type a
// character (letters, digits, space, Enter, Backspace, Tab, Escape).
BOOL TranslateMessage(const MSG* msg);
// WM_TIMER with a callback in lParam calls the callback, as Windows does.
LRESULT DispatchMessageW(const MSG* msg);

// Thread timers. Periods below 10 ms count as 10 ms (USER_TIMER_MINIMUM). A
// due timer yields one WM_TIMER and is then due again one period after the
// moment it was handled: time that passed in one jump yields one tick, not
// one per period missed, as in Windows.
//
// With a window: the timer is (hwnd, id); setting it again replaces it; the
// result is the id. Without a window: when `id` names an existing timer of
// this thread that timer is replaced, otherwise `id` is ignored and a new id
// is returned, exactly as Windows does. Keep the returned id to kill it.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC callback);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

namespace platform::ui {

// Runs the calling thread's loop (peek, translate, dispatch) until nothing is
// left to do now: no sent or posted message, no window to paint, no timer due
// at the current clock time. A WM_QUIT is left in place. Returns the number of
// messages dispatched.
int RunUntilIdle();

}  // namespace platform::ui
