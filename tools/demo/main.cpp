// vimaru-demo: shows what the product does, step by step. It builds the
// toolbar of one browser tab from the layout embedded in the module and
// prints the control tree beside a picture of the toolbar, then plays the
// toolbar's service calls against the reference service started in-process,
// walks a sample page of the reference web site through a demo toolbar in
// the stand-in browser, presses the product's ads button on a page of that
// site and shows what the sidebar receives, and last logs a member in
// through the login dialog under the toolbar and out again. Layout items
// bound to product commands that do not exist yet are left out, as a tab
// would leave them out.
#include <filesystem>
#include <iostream>
#include <string>

#include "framework/context/StandaloneTabContextC.h"
#include "platform/files/FileSystem.h"
#include "platform/ui/MessageQueue.h"
#include "tools/demo/AdsTour.h"
#include "tools/demo/BrowserTour.h"
#include "tools/demo/ControlTreePrinter.h"
#include "tools/demo/LoginTour.h"
#include "tools/demo/ServiceTour.h"
#include "tools/demo/ToolbarPicture.h"
#include "tools/inspect/StandInRebar.h"

namespace {

// False when the shipped layout gives no toolbar.
bool ShowShippedToolbar() {
  const std::string location = "res://" + platform::ModuleFilePath() + "/ToolBandLayout.xml";
  std::cout << "Building the toolbar of one browser tab from " << location << "\n\n";
  const tools::StandInRebar rebar;
  framework::StandaloneTabContextC context(location);
  const framework::ToolBandC* toolband = context.Create(rebar.BandSite());
  if (toolband == nullptr) {
    std::cout << "The layout gave no toolbar.\n";
    return false;
  }
  platform::ui::RunUntilIdle();
  demo::PrintControlTree(std::cout, *toolband);
  std::cout << '\n';
  demo::DrawToolbarPicture(std::cout, toolband->ToolbarWindow(), "vimaru-toolbar");
  std::cout << "\nCommands of the tab:";
  for (const std::string& name : context.OwnCommands().Names()) std::cout << ' ' << name;
  std::cout << '\n';
  return true;
}

}  // namespace

int main() {
  if (!ShowShippedToolbar()) return 1;
  const auto service = demo::StartReferenceService(std::cout);
  if (!service) return 1;
  demo::PlayServiceTour(std::cout, *service);
  if (!demo::PlayBrowserTour(std::cout, *service)) return 1;
  if (!demo::PlayAdsTour(std::cout, *service, std::filesystem::current_path())) return 1;
  return demo::PlayLoginTour(std::cout, *service) ? 0 : 1;
}
