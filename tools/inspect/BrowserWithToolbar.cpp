#include "tools/inspect/BrowserWithToolbar.h"

#include <memory>

#include "commands/ProductCommands.h"
#include "framework/context/StandaloneTabContextC.h"
#include "platform/automation/Bstr.h"
#include "platform/com/Guid.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Rebar.h"
#include "session/tab/HookC.h"

namespace tools {

const CLSID kToolToolbarClassId = platform::MakeGuid("6D1E3F0A-52B4-4C1E-9A7D-3E5B8C2F4A10");

std::string ShippedLayoutLocation() {
  return "res://" + platform::ModuleFilePath() + "/ToolBandLayout.xml";
}

namespace {

// The toolbar object the browser window hosts: the framework's hook with a
// tab context that loads the given layout.
class ToolToolbarHook final : public framework::ToolBandHookC {
 public:
  explicit ToolToolbarHook(std::string layoutLocation)
      : layoutLocation_(std::move(layoutLocation)) {}

 protected:
  std::unique_ptr<framework::ToolBandContextC> CreateContext(
      platform::ComPtr<IWebBrowser2> browser, framework::HostData hostData) override {
    auto context = std::make_unique<framework::StandaloneTabContextC>(layoutLocation_,
                                                                      std::move(browser), hostData);
    context->SetBandClassIdText(platform::FormatGuid(kToolToolbarClassId));
    return context;
  }

 private:
  std::string layoutLocation_;
};

// Module paths compare as Windows compares them, without regard to case.
bool IsShippedLayout(std::string_view location) {
  return platform::AnsiToLower(location) == platform::AnsiToLower(ShippedLayoutLocation());
}

}  // namespace

BrowserWithToolbar::BrowserWithToolbar(std::string layoutLocation)
    : events_(platform::ComPtr<IWebBrowser2>(&frame_.Browser())) {
  if (IsShippedLayout(layoutLocation)) {
    product_.emplace();
    hook_ = platform::Make<session::HookC>(commands::ProductCommandClasses());
    toolbarClassId_ = session::CLSID_IEHook;
  } else {
    hook_ = platform::Make<ToolToolbarHook>(std::move(layoutLocation));
    toolbarClassId_ = kToolToolbarClassId;
  }
  IUnknown* band = static_cast<IDeskBand*>(hook_.Get());
  hosted_ = SUCCEEDED(frame_.AddToolbar(band, toolbarClassId_));
  platform::ui::RunUntilIdle();
}

BrowserWithToolbar::~BrowserWithToolbar() { frame_.Quit(); }

framework::ToolBandContextC* BrowserWithToolbar::Context() const {
  return hosted_ ? hook_->Context() : nullptr;
}

framework::ToolBandC* BrowserWithToolbar::ToolBand() const {
  framework::ToolBandContextC* context = Context();
  return context == nullptr ? nullptr : context->ToolBand();
}

HRESULT BrowserWithToolbar::Navigate(std::u16string_view url) {
  const HRESULT result =
      frame_.Browser().Navigate(platform::Bstr(url).Get(), nullptr, nullptr, nullptr, nullptr);
  platform::ui::RunUntilIdle();
  return result;
}

bool BrowserWithToolbar::ToolbarHasOwnRow() const {
  const int band = platform::ui::FindRebarBandByClassId(
      frame_.Rebar(), platform::AnsiToWide(platform::FormatGuid(toolbarClassId_)));
  if (band < 0) return false;
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_STYLE;
  if (!SendMessageW(frame_.Rebar(), RB_GETBANDINFOW, static_cast<WPARAM>(band),
                    reinterpret_cast<LPARAM>(&info))) {
    return false;
  }
  return (info.fStyle & RBBS_BREAK) != 0;
}

}  // namespace tools
