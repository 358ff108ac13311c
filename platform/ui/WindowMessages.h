// Message numbers, window styles, virtual keys and the message structures of
// the Windows user interface, with their real values, so that code written
// against the stand-in reads (and numbers its messages) exactly like code
// written against <windows.h>.
#pragma once

#include "platform/ui/WinTypes.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/ui/WindowMessages_linux.h"
#endif
