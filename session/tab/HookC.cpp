#include "session/tab/HookC.h"

#include "platform/automation/Bstr.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/com/ComPtr.h"
#include "platform/html/HtmlInterfaces.h"
#include "platform/trace/Contain.h"
#include "session/GlobalSinglton.h"

namespace session {

std::unique_ptr<framework::ToolBandContextC> HookC::CreateContext(
    platform::ComPtr<IWebBrowser2> browser, framework::HostData hostData) {
  return std::make_unique<ContextC>(this, commandClasses_, std::move(browser), hostData);
}

void HookC::OnBrowserEvent(DISPID id, DISPPARAMS*) {
  if (id != DISPID_BEFORENAVIGATE2 && id != DISPID_ONQUIT && id != DISPID_DOCUMENTCOMPLETE) return;
  if (ContextC* context = TabContext()) context->HideQXAds();
}

bool HookC::DocumentComplete(IWebBrowser2* browser) {
  return platform::ContainTraced("HookC::DocumentComplete", true, [&] {
    if (browser == nullptr) return true;
    platform::ComPtr<IDispatch> dispatch;
    if (FAILED(browser->get_Document(dispatch.ReleaseAndGetAddressOf())) || !dispatch) return true;
    platform::ComPtr<IHTMLDocument2> document;
    if (FAILED(dispatch.As(&document)) || !document) return true;

    platform::ComPtr<IHTMLElementCollection> all;
    platform::ComPtr<IHTMLElement> body;
    document->get_all(all.ReleaseAndGetAddressOf());
    document->get_body(body.ReleaseAndGetAddressOf());
    if (!all || !body) return true;

    platform::Bstr text;
    if (FAILED(body->get_innerText(text.Receive())) || text.View().empty()) return true;

    bool blocked = false;
    GlobalSinglton* session = GlobalSinglton::Instance();
    if (session != nullptr) {
      session->ParseHTML(text.View(), browser, blocked);
      GlobalSinglton::FreeInst();
    }
    return !blocked;
  });
}

}  // namespace session
