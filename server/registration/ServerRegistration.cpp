#include "server/registration/ServerRegistration.h"

#include "platform/trace/Contain.h"
#include "server/registration/BrowserBarDefaults.h"
#include "server/registration/CategoryRegistration.h"
#include "server/registration/ScriptRegistration.h"
#include "server/registration/TypeLibRegistration.h"

namespace server {
namespace {

HRESULT RegisterSteps(const std::u16string& modulePath) {
  HRESULT hr = RegisterModuleTypeLib(modulePath);
  if (SUCCEEDED(hr)) hr = RegisterScript(kToolbarScript, modulePath);
  if (SUCCEEDED(hr)) hr = RegisterScript(kSidebarScript, modulePath);
  if (SUCCEEDED(hr)) hr = RegisterSidebarCategory();
  return hr;
}

// The category goes first: the component categories manager refuses a class
// whose key the sidebar's script has already removed, and a refusal there
// would leave the type library registered.
HRESULT UnregisterSteps(const std::u16string& modulePath) {
  HRESULT hr = UnregisterSidebarCategory();
  if (SUCCEEDED(hr)) hr = UnregisterScript(kToolbarScript, modulePath);
  if (SUCCEEDED(hr)) hr = UnregisterScript(kSidebarScript, modulePath);
  if (SUCCEEDED(hr)) hr = UnregisterModuleTypeLib(modulePath);
  return hr;
}

}  // namespace

// The module's resources are its own embedded table, so `module` is not
// needed to find them.
HRESULT RegisterServer(HINSTANCE /*module*/, const std::u16string& modulePath) {
  const HRESULT hr = platform::Contain("server::RegisterServer", E_FAIL, E_OUTOFMEMORY,
                                       [&] { return RegisterSteps(modulePath); });
  // Whatever the steps answered: the browser's bar settings are its own, and
  // a browser that cannot be created keeps its defaults.
  ApplyBrowserBarDefaults();
  return hr;
}

HRESULT UnregisterServer(HINSTANCE /*module*/, const std::u16string& modulePath) {
  return platform::Contain("server::UnregisterServer", E_FAIL, E_OUTOFMEMORY,
                           [&] { return UnregisterSteps(modulePath); });
}

}  // namespace server
