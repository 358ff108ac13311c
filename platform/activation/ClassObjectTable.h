// The class objects this process serves to itself (CoRegisterClassObject),
// looked up before the registry.
#pragma once

#include "platform/com/ComPtr.h"

namespace platform::activation_detail {

// The class object registered for `clsid` in one of the class contexts
// `context` allows (a local server's class object answers CLSCTX_LOCAL_SERVER
// requests only), or null.
ComPtr<IUnknown> FindRegisteredClassObject(REFCLSID clsid, DWORD context);

}  // namespace platform::activation_detail
