// Messages, styles and structures of the toolbar, rebar and tooltip common
// controls, with the real Windows values (the wide-character variants).
#pragma once

#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>

// After <windows.h>, whose types it uses.
#include <commctrl.h>
#else
#include "platform/ui/CommCtrl_linux.h"
#endif
