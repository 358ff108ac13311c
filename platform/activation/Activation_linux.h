// The Linux side of platform/activation/Activation.h: class contexts, activation
// result codes and the activation functions.
#pragma once

#include "platform/com/Unknown.h"
#include "platform/plugin/ModuleFile.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_ALL = 0x17;

constexpr DWORD REGCLS_MULTIPLEUSE = 1;

constexpr HRESULT CO_E_ERRORINDLL = MakeHresult(0x800401F9u);
constexpr HRESULT CO_E_OBJNOTREG = MakeHresult(0x800401FBu);

HRESULT WINAPI CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID iid,
                                void** object);
HRESULT WINAPI CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                                void** object);

// Serves `classObject` for `clsid` to this process before the registry is
// looked at. The cookie is for CoRevokeClassObject. E_INVALIDARG for a null
// object or a class already registered this way.
HRESULT WINAPI CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD context,
                                     DWORD flags, DWORD* cookie);
// CO_E_OBJNOTREG for an unknown cookie.
HRESULT WINAPI CoRevokeClassObject(DWORD cookie);

// Unloads every cached module whose DllCanUnloadNow answers S_OK (a module
// without that export stays loaded, as on Windows).
void WINAPI CoFreeUnusedLibraries();
