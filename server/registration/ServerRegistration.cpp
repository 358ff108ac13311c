#include "server/registration/ServerRegistration.h"

#include "platform/trace/Contain.h"
#include "server/registration/ScriptRegistration.h"

namespace server {
namespace {

HRESULT RegisterSteps(const std::u16string& modulePath) {
  if (const HRESULT hr = RegisterScript(kToolbarScript, modulePath); FAILED(hr)) return hr;
  return RegisterScript(kSidebarScript, modulePath);
}

HRESULT UnregisterSteps(const std::u16string& modulePath) {
  if (const HRESULT hr = UnregisterScript(kToolbarScript, modulePath); FAILED(hr)) return hr;
  return UnregisterScript(kSidebarScript, modulePath);
}

}  // namespace

// The module's resources are its own embedded table, so `module` is not
// needed to find them.
HRESULT RegisterServer(HINSTANCE /*module*/, const std::u16string& modulePath) {
  return platform::Contain("server::RegisterServer", E_FAIL, E_OUTOFMEMORY,
                           [&] { return RegisterSteps(modulePath); });
}

HRESULT UnregisterServer(HINSTANCE /*module*/, const std::u16string& modulePath) {
  return platform::Contain("server::UnregisterServer", E_FAIL, E_OUTOFMEMORY,
                           [&] { return UnregisterSteps(modulePath); });
}

}  // namespace server
