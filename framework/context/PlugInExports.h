// What a plug-in module exports so its commands join the toolbar. Any
// "*.dll" beside the toolbar's module that exports CreateCommandSet is a
// plug-in: the toolbar calls it once per browser tab and asks the returned
// set for commands before its own, so a plug-in may also replace a built-in
// command by name. DeleteCommandSet, when exported, gets the set back when
// the tab closes, just before the module is unloaded; without it the set is
// left to the plug-in.
//
// A plug-in defines, with C linkage:
//   extern "C" framework::CommandSetI* CreateCommandSet(
//       framework::HostData hostWindow, IWebBrowser2* browser,
//       framework::ToolBandI* toolband);           // null: no commands
//   extern "C" void DeleteCommandSet(framework::CommandSetI* commandSet);
#pragma once

#include "framework/command/CommandSetI.h"
#include "framework/command/HostData.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/browser/WebBrowser.h"

namespace framework {

inline constexpr const char* kCreateCommandSetExport = "CreateCommandSet";
inline constexpr const char* kDeleteCommandSetExport = "DeleteCommandSet";

using CreateCommandSetFunction = CommandSetI*(HostData hostWindow, IWebBrowser2* browser,
                                              ToolBandI* toolband);
using DeleteCommandSetFunction = void(CommandSetI* commandSet);

}  // namespace framework

extern "C" {
framework::CommandSetI* CreateCommandSet(framework::HostData hostWindow, IWebBrowser2* browser,
                                         framework::ToolBandI* toolband);
void DeleteCommandSet(framework::CommandSetI* commandSet);
}
