// What a module asks the loader about itself: GetModuleFileNameW for its
// handle, and the reasons its entry point (DllMain) is called with.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/plugin/ModuleFile_linux.h"
#endif
