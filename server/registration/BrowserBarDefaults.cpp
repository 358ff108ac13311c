#include "server/registration/BrowserBarDefaults.h"

#include <string>

#include "platform/activation/Activation.h"
#include "platform/automation/Variant.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Guid.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"
#include "session/band/SidebarClass.h"
#include "session/tab/HookC.h"

namespace server {
namespace {

void ShowBar(IWebBrowser2* browser, const CLSID& bar, bool show) {
  const std::u16string text = platform::AnsiToWide(platform::FormatGuid(bar));
  platform::Variant clsid{std::u16string_view(text)};
  platform::Variant shown(show);
  browser->ShowBrowserBar(&clsid, &shown, nullptr);
}

}  // namespace

void ApplyBrowserBarDefaults() noexcept {
  platform::Contain("server::ApplyBrowserBarDefaults", false, [] {
    platform::ComPtr<IWebBrowser2> browser;
    if (FAILED(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER,
                                IID_PPV_ARGS(browser.ReleaseAndGetAddressOf())))) {
      return false;
    }
    ShowBar(browser.Get(), session::CLSID_IEHook, true);
    ShowBar(browser.Get(), session::CLSID_CmyIESideBar, false);
    browser->Quit();
    return true;
  });
}

}  // namespace server
