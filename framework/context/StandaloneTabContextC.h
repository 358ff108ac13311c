// A tab context for programs that build the toolbar outside the browser
// (the inspection tool, the demo, tests): the layout location is given, the
// stored copy lives where the product keeps it, and no product commands
// are registered beyond what a caller adds to OwnCommands().
#pragma once

#include <string>

#include "framework/context/ToolBandContextC.h"

namespace framework {

// Where the product keeps the stored copy of its layout.
inline constexpr const char* kProductLayoutKeyPath = "Software\\Vimaru Group Inc\\VimaruIEToolbar";
inline constexpr const char* kProductLayoutValueName = "ToolBandLayout";

class StandaloneTabContextC : public ToolBandContextC {
 public:
  StandaloneTabContextC(std::string layoutLocation, platform::ComPtr<IWebBrowser2> browser = {},
                        HostData hostData = nullptr)
      : ToolBandContextC(std::move(browser), hostData),
        layoutLocation_(std::move(layoutLocation)) {}
  ~StandaloneTabContextC() override { ShutDown(); }

  std::string LayoutLocation() override { return layoutLocation_; }
  StoredLayoutLocation GetStoredLayoutLocation() override {
    return {HKEY_CURRENT_USER, kProductLayoutKeyPath, kProductLayoutValueName};
  }
  std::string BandClassIdText() override { return bandClassIdText_; }
  std::string ElevationPolicyIdText() override { return {}; }

  void SetBandClassIdText(std::string text) { bandClassIdText_ = std::move(text); }

 private:
  std::string layoutLocation_;
  std::string bandClassIdText_;
};

}  // namespace framework
