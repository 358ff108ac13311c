// vimaru-demo: shows what the product does, step by step. It starts the
// reference service in-process and points the product's services and web
// sites at it, then builds the product's toolbar in one tab of the stand-in
// browser from the layout embedded in the module and prints the control tree
// beside a picture of the toolbar. It plays the toolbar's service calls
// against the service, walks a sample page of the reference web site through
// a demo toolbar, presses the product's ads button on a page of that site and
// shows what the sidebar receives, and last logs a member in through the
// login dialog under the toolbar and out again.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/ui/MessageQueue.h"
#include "tools/demo/AdsTour.h"
#include "tools/demo/BrowserTour.h"
#include "tools/demo/ControlTreePrinter.h"
#include "tools/demo/LoginTour.h"
#include "tools/demo/ServiceTour.h"
#include "tools/demo/ToolbarPicture.h"
#include "tools/inspect/BrowserWithToolbar.h"
#include "tools/refservice/ProductEnvironment.h"

namespace {

// False when the shipped layout gives no toolbar.
bool ShowShippedToolbar() {
  const std::string location = tools::ShippedLayoutLocation();
  std::cout << "Building the product's toolbar in one browser tab from " << location << "\n\n";
  const tools::BrowserWithToolbar window(location);
  const framework::ToolBandC* toolband = window.ToolBand();
  if (toolband == nullptr) {
    std::cout << "The layout gave no toolbar.\n";
    return false;
  }
  demo::PrintControlTree(std::cout, *toolband);
  std::cout << '\n';
  demo::DrawToolbarPicture(std::cout, toolband->ToolbarWindow(), "vimaru-toolbar");
  std::cout << "\nCommands of the tab:";
  for (const std::string& name : window.Context()->OwnCommands().Names()) std::cout << ' ' << name;
  std::cout << '\n';
  return true;
}

}  // namespace

int main() {
  const auto service = demo::StartReferenceService(std::cout);
  if (!service) return 1;
  // The product reads where its services and sites are when its session
  // starts, which the first toolbar does.
  for (const auto& [name, value] : refservice::ProductEnvironmentFor(service->BaseUrl())) {
    ::setenv(name.c_str(), value.c_str(), 1);
  }
  std::cout << '\n';
  if (!ShowShippedToolbar()) return 1;
  demo::PlayServiceTour(std::cout, *service);
  if (!demo::PlayBrowserTour(std::cout, *service)) return 1;
  if (!demo::PlayAdsTour(std::cout, *service, std::filesystem::current_path())) return 1;
  return demo::PlayLoginTour(std::cout, *service) ? 0 : 1;
}
