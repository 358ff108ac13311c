// The classes the system itself serves in every process, found after the
// process's own class objects and before the registry: on Windows they are
// registered in HKCR\CLSID by the system's own modules, which this stand-in
// does not have. Today that is the component categories manager
// (ComponentCategories.h).
#pragma once

#include "platform/com/ComPtr.h"

namespace platform::activation_detail {

// The system's class object for `clsid`, or null.
ComPtr<IUnknown> FindSystemClassObject(REFCLSID clsid);

}  // namespace platform::activation_detail
