// The button control of the toolkit stand-in: push buttons, check boxes
// (BS_AUTOCHECKBOX flips itself on every click) and owner-drawn buttons
// (BS_OWNERDRAW: the parent draws them on WM_DRAWITEM).
//
// A click (BM_CLICK, or the mouse pressed and released over it) gives the
// button the focus and then tells the parent WM_COMMAND with BN_CLICKED, as
// Windows does. Painting asks the parent for colours first: check boxes with
// WM_CTLCOLORSTATIC, push buttons with WM_CTLCOLORBTN; WM_PRINTCLIENT paints
// onto the given device context, so renderers see what the button draws.
#pragma once

#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>

// After <windows.h>, whose types it uses.
#include <commctrl.h>
#else
#include "platform/ui/Button_linux.h"
#endif
