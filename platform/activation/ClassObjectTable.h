// The class objects this process serves to itself (CoRegisterClassObject),
// looked up before the registry.
#pragma once

#include "platform/com/ComPtr.h"

namespace platform::activation_detail {

// The registered class object for `clsid`, or null.
ComPtr<IUnknown> FindRegisteredClassObject(REFCLSID clsid);

}  // namespace platform::activation_detail
