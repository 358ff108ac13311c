// vimaru-demo: shows what the product does, step by step. For now it builds
// the toolbar of one browser tab from the layout embedded in the module and
// prints the control tree. Layout items bound to product commands that do
// not exist yet are left out, as a tab would leave them out.
#include <iostream>
#include <string>

#include "framework/context/StandaloneTabContextC.h"
#include "platform/files/FileSystem.h"
#include "tools/demo/ControlTreePrinter.h"

int main() {
  const std::string location = "res://" + platform::GetModuleFileName() + "/ToolBandLayout.xml";
  std::cout << "Building the toolbar of one browser tab from " << location << "\n\n";

  framework::StandaloneTabContextC context(location);
  const framework::ToolBandC* toolband = context.Create();
  if (toolband == nullptr) {
    std::cout << "The layout gave no toolbar.\n";
    return 1;
  }
  demo::PrintControlTree(std::cout, *toolband);
  std::cout << "\nCommands of the tab:";
  for (const std::string& name : context.OwnCommands().Names()) std::cout << ' ' << name;
  std::cout << '\n';
  return 0;
}
