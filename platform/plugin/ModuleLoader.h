// Internal to platform/plugin: the loader's table of the modules
// LoadedModule loaded, by handle, with their load counts and entry points.
#pragma once

#include <string>

#include "platform/plugin/ModuleEntryPoint.h"

namespace platform::plugin_detail {

// The handle Windows would give the module behind a dlopen handle: the
// address it is mapped at.
HINSTANCE ModuleBase(void* dlopenHandle);

// One more load of `module`; the first one records `windowsPath` and runs
// the entry point's attach. False when the attach refused (its detach has
// then run and the load is not counted).
bool CountLoad(HINSTANCE module, const std::string& windowsPath);
// One load fewer; the last one runs the entry point's detach.
void CountFree(HINSTANCE module);

// Holds the loader lock: loads, frees and entry-point calls are serialised,
// and a thread that holds it may take it again (DllMain asking for its own
// file name).
class LoaderLock {
 public:
  LoaderLock();
  ~LoaderLock();
  LoaderLock(const LoaderLock&) = delete;
  LoaderLock& operator=(const LoaderLock&) = delete;
};

}  // namespace platform::plugin_detail
