// The basic types of the Windows user interface API as the toolkit stand-in
// uses them: handles, message parameters, rectangles. Names and layouts are the
// Windows ones so product code reads like its Windows original, which takes
// them from <windows.h>. Like the COM result codes they live in the global
// namespace.
//
// Handles are opaque pointers that are never dereferenced: the stand-in maps
// each to an internal record and never reuses a value, so a handle kept after
// its object was destroyed makes every call fail instead of touching freed
// memory.
#pragma once

#include <cstdint>

#include "platform/com/HResult.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/ui/WinTypes_linux.h"
#endif
