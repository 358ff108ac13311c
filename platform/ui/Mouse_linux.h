// The Linux side of platform/ui/Mouse.h: the cursor.
#pragma once

#include "platform/ui/WindowMessages.h"

constexpr WORD HTCLIENT = 1;

// Per thread, like the thread's input state; returns the previous cursor.
HCURSOR WINAPI SetCursor(HCURSOR cursor);
HCURSOR WINAPI GetCursor();
