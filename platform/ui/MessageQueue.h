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

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/ui/MessageQueue_linux.h"
#endif

namespace platform::ui {

// Runs the calling thread's loop (peek, translate, dispatch) until nothing is
// left to do now: no sent or posted message, no window to paint, no timer due
// at the current clock time. A WM_QUIT is left in place. Returns the number of
// messages dispatched.
int RunUntilIdle();

}  // namespace platform::ui
