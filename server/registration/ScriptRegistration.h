// One class's registration script (a REGISTRY resource of the module, an
// ATL .rgs script) run in register or unregister mode, with %MODULE%
// replaced by the module's path.
#pragma once

#include <string>

#include "platform/com/HResult.h"

namespace server {

// The module's registration scripts.
inline constexpr int kToolbarScript = 101;  // HookC, coclass IEHook
inline constexpr int kSidebarScript = 224;  // CmyIESideBar, coclass myIESideBar

// SELFREG_E_CLASS when the module lacks the script; otherwise the
// registrar's result: the first failing registry step's error.
HRESULT RegisterScript(int scriptId, const std::u16string& modulePath);
HRESULT UnregisterScript(int scriptId, const std::u16string& modulePath);

}  // namespace server
