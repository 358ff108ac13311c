// One loaded plug-in module and the command set it created for this tab.
// Destroying it hands the set back to the plug-in and unloads the module.
#pragma once

#include <memory>
#include <string>

#include "framework/command/CommandSetI.h"
#include "framework/command/HostData.h"
#include "platform/browser/WebBrowser.h"
#include "platform/plugin/LoadedModule.h"

namespace framework {

class ToolBandI;

class PlugInC {
 public:
  // Loads the module and asks it for a command set; null (module unloaded
  // again) when it does not load, lacks CreateCommandSet or returns none.
  static std::unique_ptr<PlugInC> Load(const std::string& path, HostData hostWindow,
                                       IWebBrowser2* browser, ToolBandI* toolband);
  ~PlugInC();
  PlugInC(const PlugInC&) = delete;
  PlugInC& operator=(const PlugInC&) = delete;

  const std::string& Path() const { return path_; }
  CommandSetI* CommandSet() const { return commandSet_; }

 private:
  PlugInC(platform::LoadedModule module, std::string path, CommandSetI* commandSet);

  platform::LoadedModule module_;
  std::string path_;
  CommandSetI* commandSet_;
};

}  // namespace framework
