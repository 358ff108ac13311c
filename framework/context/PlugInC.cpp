#include "framework/context/PlugInC.h"

#include "framework/context/PlugInExports.h"
#include "platform/trace/Trace.h"

namespace framework {

std::unique_ptr<PlugInC> PlugInC::Load(const std::string& path, HostData hostWindow,
                                       IWebBrowser2* browser, ToolBandI* toolband) {
  platform::TraceScope trace("PlugInC::Load");
  std::optional<platform::LoadedModule> module = platform::LoadedModule::Load(path);
  if (!module) return nullptr;
  auto* create = module->GetProc<CreateCommandSetFunction>(kCreateCommandSetExport);
  if (create == nullptr) return nullptr;
  CommandSetI* commandSet = create(hostWindow, browser, toolband);
  if (commandSet == nullptr) return nullptr;
  return std::unique_ptr<PlugInC>(new PlugInC(std::move(*module), path, commandSet));
}

PlugInC::PlugInC(platform::LoadedModule module, std::string path, CommandSetI* commandSet)
    : module_(std::move(module)), path_(std::move(path)), commandSet_(commandSet) {}

PlugInC::~PlugInC() {
  if (auto* release = module_.GetProc<DeleteCommandSetFunction>(kDeleteCommandSetExport)) {
    release(commandSet_);
  }
}

}  // namespace framework
