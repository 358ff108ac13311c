// How the loader finds a module's entry point. A Windows image names its
// entry in its header; here the module's own part (platform/module,
// DllEntryPoint.cpp) registers DllMain while the module's static data is
// initialised, and LoadedModule::Load calls it with DLL_PROCESS_ATTACH once
// dlopen has returned, the last Free with DLL_PROCESS_DETACH before the
// module is unmapped. Both calls hold the loader lock, as on Windows.
#pragma once

#include "platform/plugin/ModuleFile.h"

namespace platform {

using ModuleEntryPoint = BOOL WINAPI(HINSTANCE module, DWORD reason, LPVOID reserved);

void RegisterModuleEntryPoint(HINSTANCE module, ModuleEntryPoint* entry);
void UnregisterModuleEntryPoint(HINSTANCE module);

}  // namespace platform
