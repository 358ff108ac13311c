// The module's start and stop, which its DllMain runs when the library is
// loaded into a process and when it leaves it.
//
// Start records the module handle and the module's full path (its directory
// follows from it) where the toolbar framework builds its resource
// addresses from, and gives the session what this module adds to it: the
// ads thread and the update check. Stop lets the class objects go.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

namespace server {

void StartModule(HINSTANCE instance);
void StopModule();

// The handle and the full path recorded at start.
HINSTANCE ModuleInstance();
std::u16string ModulePath();

}  // namespace server
