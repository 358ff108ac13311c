// The Linux side of platform/plugin/ModuleFile.h.
#pragma once

#include "platform/com/HResult.h"
#include "platform/ui/WinTypes.h"

using HMODULE = HINSTANCE;
using LPVOID = void*;

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD MAX_PATH = 260;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_DLL_INIT_FAILED = 1114;

// The full Windows path the module was loaded from (null: the host's
// executable). The count of characters written without the terminator; a
// buffer too small gets the truncated path with a terminator, `size` is
// returned and the last error is ERROR_INSUFFICIENT_BUFFER. 0 and
// ERROR_MOD_NOT_FOUND for a handle no module has.
DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
