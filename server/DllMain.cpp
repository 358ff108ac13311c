// The module's entry point: the loader calls it once the library is in the
// process and once before it goes.
#include "platform/plugin/ModuleFile.h"
#include "platform/trace/Contain.h"
#include "server/ModuleState.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  return platform::Contain("DllMain", FALSE, [&]() -> BOOL {
    if (reason == DLL_PROCESS_ATTACH) server::StartModule(instance);
    if (reason == DLL_PROCESS_DETACH) server::StopModule();
    return TRUE;
  });
}
