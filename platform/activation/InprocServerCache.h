// The process's cache of loaded in-process server modules, keyed by their
// canonical path: a module is loaded on its first activation and stays
// loaded until CoFreeUnusedLibraries finds that it may go.
#pragma once

#include <memory>
#include <string_view>

#include "platform/activation/Activation.h"
#include "platform/plugin/LoadedModule.h"

namespace platform::activation_detail {

struct InprocServer {
  LoadedModule module;
  DllGetClassObjectFunction* getClassObject;
  DllCanUnloadNowFunction* canUnloadNow;  // may be null
};

// The cached module for `windowsPath`, loading it on first use. Holding the
// result keeps the module loaded even if it is dropped from the cache
// meanwhile. Fails with the activation error for a module that cannot be
// loaded or lacks DllGetClassObject.
HRESULT AcquireInprocServer(std::string_view windowsPath, std::shared_ptr<InprocServer>* server);

void FreeUnusedInprocServers();

bool IsCached(std::string_view windowsPath);

}  // namespace platform::activation_detail
