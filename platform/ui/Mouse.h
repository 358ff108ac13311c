// The mouse cursor (SetCursor, GetCursor) and the mouse a test or a host
// moves. The pointer is only ever over client areas: windows here have no
// frame, so the hit-test code is always HTCLIENT.
//
// WM_SETCURSOR handling of DefWindowProcW, as in Windows: a child window
// first asks its parent, and stops when the parent answers TRUE; otherwise,
// over the client area, the window's class cursor (when the class has one)
// becomes the cursor and the answer is TRUE.
#pragma once

#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/ui/Mouse_linux.h"
#endif

namespace platform::ui {

// The user moves the pointer to `point` (client coordinates of `hwnd`):
// the window gets WM_SETCURSOR(hwnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE))
// at once and a WM_MOUSEMOVE(0, MAKELPARAM(x, y)) is posted to it, the two
// messages Windows produces for a move over a client area. Call on the
// window's thread; false for a window that does not exist.
bool MoveMouseOver(HWND hwnd, POINT point = {});

}  // namespace platform::ui
