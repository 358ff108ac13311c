#include "server/registration/ServerRegistration.h"

namespace server {

// The registration steps arrive behind this seam; until then the module's
// entry points link against it and report that nothing was done.
HRESULT RegisterServer(HINSTANCE /*module*/, const std::u16string& /*modulePath*/) {
  return E_NOTIMPL;
}

HRESULT UnregisterServer(HINSTANCE /*module*/, const std::u16string& /*modulePath*/) {
  return E_NOTIMPL;
}

}  // namespace server
