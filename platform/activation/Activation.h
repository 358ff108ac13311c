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
// As on Windows, the calling thread must have initialised COM
// (CO_E_NOTINITIALIZED otherwise), only in-process servers exist, and the
// threading model named in the registry is not enforced: every object is
// called on the thread that made it.
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

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_ALL = 0x17;

constexpr DWORD REGCLS_MULTIPLEUSE = 1;

constexpr HRESULT CO_E_ERRORINDLL = MakeHresult(0x800401F9u);
constexpr HRESULT CO_E_OBJNOTREG = MakeHresult(0x800401FBu);
constexpr long ERROR_MOD_NOT_FOUND = 126;

using DllGetClassObjectFunction = HRESULT(REFCLSID clsid, REFIID iid, void** object);
using DllCanUnloadNowFunction = HRESULT();

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID iid,
                         void** object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);

// Serves `classObject` for `clsid` to this process before the registry is
// looked at. The cookie is for CoRevokeClassObject. E_INVALIDARG for a null
// object or a class already registered this way.
HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD context, DWORD flags,
                              DWORD* cookie);
// CO_E_OBJNOTREG for an unknown cookie.
HRESULT CoRevokeClassObject(DWORD cookie);

// Unloads every cached module whose DllCanUnloadNow answers S_OK (a module
// without that export stays loaded, as on Windows).
void CoFreeUnusedLibraries();

namespace platform {

// Whether the module at `windowsPath` is in the activation cache.
bool IsInprocServerCached(std::string_view windowsPath);

}  // namespace platform
