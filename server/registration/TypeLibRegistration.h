// The module's type library (its TYPELIB resource 1) registered and
// unregistered as ATL's AtlRegisterTypeLib and AtlUnRegisterTypeLib do:
// loaded from the module's own path, its entries taken from what the
// library says of itself.
#pragma once

#include <string>

#include "platform/com/HResult.h"

namespace server {

HRESULT RegisterModuleTypeLib(const std::u16string& modulePath);
HRESULT UnregisterModuleTypeLib(const std::u16string& modulePath);

}  // namespace server
