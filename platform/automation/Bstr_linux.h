// The Linux side of platform/automation/Bstr.h: BSTR and its allocation functions.
#pragma once

#include <cstdint>

#include "platform/com/HResult.h"

using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;
using UINT = std::uint32_t;

// Copies a NUL-terminated string; null in gives null out.
BSTR WINAPI SysAllocString(const OLECHAR* text);
// Copies `length` characters (NULs included); a null `text` leaves the
// characters zero. Null when memory runs out.
BSTR WINAPI SysAllocStringLen(const OLECHAR* text, UINT length);
void WINAPI SysFreeString(BSTR text);
// Characters, not counting the terminator; 0 for null.
UINT WINAPI SysStringLen(BSTR text);
