// What DllRegisterServer and DllUnregisterServer do for this module: the
// type library from resource 1, the registration scripts of the two classes,
// the sidebar's implemented category and, after registering, the browser
// told to show the toolbar and hide the sidebar in new windows.
//
// `modulePath` is the module's full Windows path (GetModuleFileNameW): it
// replaces %MODULE% in the scripts and is what the type library is
// registered under. Resources are found through `module`.
#pragma once

#include <string>

#include "platform/com/HResult.h"
#include "platform/ui/WinTypes.h"

namespace server {

// The first failing step's error, leaving what was written before it.
HRESULT RegisterServer(HINSTANCE module, const std::u16string& modulePath);
HRESULT UnregisterServer(HINSTANCE module, const std::u16string& modulePath);

}  // namespace server
