#include "tools/inspect/BrowserWithToolbar.h"

#include "platform/automation/Bstr.h"
#include "platform/ui/MessageQueue.h"

namespace tools {

BrowserWithToolbar::BrowserWithToolbar(std::string layoutLocation)
    : browser_(platform::CreateBrowserWindow()),
      events_(platform::ComPtr<IWebBrowser2>(browser_.Get())),
      // The rebar stands for the browser's frame window: it owns the dialogs.
      context_(std::move(layoutLocation), platform::ComPtr<IWebBrowser2>(browser_.Get()),
               reinterpret_cast<framework::HostData>(rebar_.Rebar())) {
  browser_->SetFrameWindow(rebar_.Rebar());
  if (context_.Create(rebar_.BandSite()) != nullptr) platform::ui::RunUntilIdle();
}

BrowserWithToolbar::~BrowserWithToolbar() { browser_->Quit(); }

HRESULT BrowserWithToolbar::Navigate(std::u16string_view url) {
  const HRESULT result = browser_->Navigate(platform::Bstr(url).Get(), nullptr, nullptr, nullptr, nullptr);
  platform::ui::RunUntilIdle();
  return result;
}

}  // namespace tools
