// Result codes, basic integer types and calling conventions of the COM
// boundary (HRESULT, S_OK, E_FAIL, DWORD, BOOL, STDMETHODCALLTYPE, ...), named
// and valued as in the Windows SDK, in the global namespace, so product code
// reads exactly like its Windows original. Windows takes them from the SDK.
#pragma once

#if defined(_WIN32)
#include <windows.h>
// The self-registration codes (SELFREG_E_CLASS, ...) DllRegisterServer answers.
#include <olectl.h>
#else
#include "platform/com/HResult_linux.h"
#endif
