#include "tools/regsvr/RegsvrRun.h"

#include <cstdint>
#include <cstdio>

#include "platform/activation/Activation.h"
#include "platform/com/ComInit.h"
#include "platform/plugin/LoadedModule.h"
#include "platform/plugin/ModuleFile.h"

namespace tools::regsvr {
namespace {

using EntryPoint = HRESULT STDAPICALLTYPE();

// As regsvr32 writes it: the 32 bits of the code, "0x80070005".
std::string Hex(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x",
                static_cast<unsigned>(static_cast<std::uint32_t>(result)));
  return text;
}

}  // namespace

RegsvrOutcome RunRegsvr(const RegsvrCommandLine& line) {
  const std::string entryName = line.unregister ? "DllUnregisterServer" : "DllRegisterServer";
  const std::string quoted = "The module \"" + line.module + "\"";
  platform::ScopedComInit com;
  if (FAILED(com.Result())) {
    return {kRegsvrComFailed, "COM could not be initialised.\n", com.Result()};
  }
  auto module = platform::LoadedModule::Load(line.module);
  if (!module) {
    return {kRegsvrLoadFailed, quoted + " failed to load.\n",
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)};
  }
  auto* entry = module->GetProc<EntryPoint>(entryName);
  if (entry == nullptr) {
    return {kRegsvrNoEntry,
            quoted + " was loaded but the entry-point " + entryName + " was not found.\n",
            HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND)};
  }
  const HRESULT result = entry();
  if (FAILED(result)) {
    return {kRegsvrCallFailed, quoted + " was loaded but the call to " + entryName +
                                   " failed with error code " + Hex(result) + ".\n",
            result};
  }
  return {kRegsvrSucceeded, entryName + " in " + line.module + " succeeded.\n", result};
}

}  // namespace tools::regsvr
