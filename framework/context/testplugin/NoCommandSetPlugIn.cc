// A test plug-in whose CreateCommandSet answers with no command set: the
// toolbar must unload it and go on without it.
#include "framework/context/PlugInExports.h"
#include "framework/context/testplugin/PlugInEvents.h"

extern "C" framework::CommandSetI* CreateCommandSet(framework::HostData hostWindow,
                                                    IWebBrowser2*, framework::ToolBandI*) {
  if (auto* events = static_cast<framework::testing::PlugInEvents*>(hostWindow)) {
    ++events->created;
  }
  return nullptr;
}
