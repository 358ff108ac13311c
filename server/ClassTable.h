// The classes this module serves, in the order DllGetClassObject looks them
// up: the toolbar (HookC, which refuses aggregation) and the sidebar band
// (CmyIESideBar, which may be aggregated). Each entry makes the class's
// factory; the module keeps it once made (ClassObjects.h).
#pragma once

#include <span>

#include "platform/com/ComPtr.h"
#include "platform/com/Guid.h"

namespace server {

struct ServerClass {
  CLSID clsid;
  platform::ComPtr<IClassFactory> (*createFactory)();
};

std::span<const ServerClass> ServerClasses();

}  // namespace server
