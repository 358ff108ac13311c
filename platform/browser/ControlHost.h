// Hosting a control in a window the product made itself, as ATL's
// AtlAxAttachControl does on Windows: the window becomes the control's
// container. The window holds a reference on the control from then on and
// gives it back when it is destroyed, so a hosted control lives at least as
// long as its window; and the control takes the window as its own (a
// web-browser control answers it from get_HWND). The window prints
// (WM_PRINTCLIENT) as the control draws its page (PagePainter.h).
//
// The stand-in hosts the stand-in web-browser control (BrowserObject.h)
// only. The Windows backend is still to be written.
#pragma once

#include "platform/com/Unknown.h"
#include "platform/ui/WinTypes.h"

namespace platform {

// S_OK once `control` is hosted in `window`, which must belong to the
// calling thread. E_POINTER without a control, E_INVALIDARG for a handle
// that is no window of this thread, E_NOINTERFACE for an object that cannot
// be hosted (it is no control).
HRESULT AttachControlToWindow(IUnknown* control, HWND window);

// The control `window` hosts, with a reference for the caller, as ATL's
// AtlAxGetControl answers it: S_OK, or E_FAIL when the window hosts none
// (or is no window), E_POINTER without a place for the answer.
HRESULT AtlAxGetControl(HWND window, IUnknown** control);

}  // namespace platform
