// Window subclassing with reference data (SetWindowSubclass and friends of
// the common controls), the way C++ objects take over a window they did not
// create: the rebar of the host, the edit child of a combo box. The newest
// subclass sees a message first; DefSubclassProc hands it to the next older
// one and finally to the window procedure the window had before. Plain
// SetWindowLongPtrW(GWLP_WNDPROC) + CallWindowProcW works as well.
#pragma once

#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>

// After <windows.h>, whose types it uses.
#include <commctrl.h>
#else
#include "platform/ui/Subclass_linux.h"
#endif
