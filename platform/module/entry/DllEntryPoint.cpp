// Names this module's DllMain to the loader, as a Windows image's header
// names its entry point. Linked only into modules that have a DllMain.
#include "platform/module/ThisModule.h"
#include "platform/plugin/ModuleEntryPoint.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);

namespace {

struct EntryPointRecord {
  EntryPointRecord() { platform::RegisterModuleEntryPoint(platform::ThisModule(), &DllMain); }
  ~EntryPointRecord() { platform::UnregisterModuleEntryPoint(platform::ThisModule()); }
};

const EntryPointRecord kEntryPoint;

}  // namespace
