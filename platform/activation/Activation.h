// COM activation: creating objects by class id, as the browser creates the
// toolbar and the sidebar and as the sidebar creates its web-browser control.
//
// A class is found first among the class objects this process registered
// itself (CoRegisterClassObject: the browser stand-in serves its web-browser
// control that way), then in the registry as Windows does it: the default
// value of HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 names the module
// file (a mapped Windows path); the module is loaded once per process and
// kept, and its exported `DllGetClassObject` hands out the class object.
// Modules are unloaded only by CoFreeUnusedLibraries, and only when their
// `DllCanUnloadNow` answers S_OK. Both exports must be declared extern "C".
//
// Local servers exist only as class objects registered with
// CLSCTX_LOCAL_SERVER by the process itself (the browser application stand-in,
// platform/browser/BrowserApplication.h, is one); a registration answers only
// the class contexts it was made for. The system's own classes (the component
// categories manager) come after the process's class objects and before the
// registry.
//
// As on Windows, the calling thread must have initialised COM
// (CO_E_NOTINITIALIZED otherwise), and the threading model named in the
// registry is not enforced: every object is called on the thread that made
// it.
//
// Errors: REGDB_E_CLASSNOTREG when no class object is registered and the
// registry names no module; HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) when the
// named module cannot be loaded; CO_E_ERRORINDLL when it does not export
// DllGetClassObject; whatever DllGetClassObject or CreateInstance answer
// (CLASS_E_CLASSNOTAVAILABLE, CLASS_E_NOAGGREGATION, E_NOINTERFACE).
//
// Thread-safe.
#pragma once

#include <string_view>

#include "platform/com/Unknown.h"

#if defined(_WIN32)
#include <objbase.h>
#else
#include "platform/activation/Activation_linux.h"
#endif

// What a module exports for activation (LPFNGETCLASSOBJECT and its partner).
using DllGetClassObjectFunction = HRESULT STDAPICALLTYPE(REFCLSID clsid, REFIID iid, void** object);
using DllCanUnloadNowFunction = HRESULT STDAPICALLTYPE();

namespace platform {

// Whether the module at `windowsPath` is in the activation cache.
bool IsInprocServerCached(std::string_view windowsPath);

}  // namespace platform
