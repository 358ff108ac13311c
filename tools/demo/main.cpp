// vimaru-demo: shows what the product does, step by step. It builds the
// toolbar of one browser tab from the layout embedded in the module and
// prints the control tree beside a picture of the toolbar, then plays the
// toolbar's service calls against the reference service started in-process.
// Layout items bound to product commands that do not exist yet are left out,
// as a tab would leave them out.
#include <iostream>
#include <string>

#include "framework/context/StandaloneTabContextC.h"
#include "platform/files/FileSystem.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "tools/demo/ControlTreePrinter.h"
#include "tools/demo/ServiceTour.h"
#include "tools/demo/ToolbarPicture.h"

int main() {
  const std::string location = "res://" + platform::GetModuleFileName() + "/ToolBandLayout.xml";
  std::cout << "Building the toolbar of one browser tab from " << location << "\n\n";

  // The browser's rebar and the band's site window the toolbar stands in.
  platform::ui::UniqueWindow rebar(CreateWindowExW(0, REBARCLASSNAMEW, u"", WS_VISIBLE, 0, 0, 1024,
                                                   60, nullptr, nullptr, nullptr, nullptr));
  HWND bandSite = CreateWindowExW(0, WC_STATICW, u"", WS_CHILD | WS_VISIBLE, 0, 0, 1024, 30,
                                  rebar.Get(), nullptr, nullptr, nullptr);
  framework::StandaloneTabContextC context(location);
  const framework::ToolBandC* toolband = context.Create(bandSite);
  if (toolband == nullptr) {
    std::cout << "The layout gave no toolbar.\n";
    return 1;
  }
  platform::ui::RunUntilIdle();
  demo::PrintControlTree(std::cout, *toolband);
  std::cout << '\n';
  demo::DrawToolbarPicture(std::cout, toolband->ToolbarWindow(), "vimaru-toolbar");
  std::cout << "\nCommands of the tab:";
  for (const std::string& name : context.OwnCommands().Names()) std::cout << ' ' << name;
  std::cout << '\n';
  return demo::PlayServiceTour(std::cout) ? 0 : 1;
}
