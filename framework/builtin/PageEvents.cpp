#include "framework/builtin/PageEvents.h"

#include <utility>

#include "platform/automation/ConnectionPoint.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComObject.h"

namespace framework {

// The COM side: the browser holds a reference to it, so it can outlive the
// connection by a call in flight; the handler is cleared when the
// connection goes, and a late event then reaches nobody.
class PageEventSink final : public platform::DispatchObject<DWebBrowserEvents2> {
 public:
  explicit PageEventSink(PageEventConnection::Handler handler) : handler_(std::move(handler)) {}
  void Detach() { handler_ = nullptr; }

  HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                 UINT*) override {
    if (handler_) handler_(id);
    return S_OK;
  }

 private:
  PageEventConnection::Handler handler_;
};

bool IsPageChangeEvent(DISPID id) {
  return id == DISPID_DOWNLOADCOMPLETE || id == DISPID_BEFORENAVIGATE2 ||
         id == DISPID_NAVIGATECOMPLETE2 || id == DISPID_DOCUMENTCOMPLETE;
}

PageEventConnection::PageEventConnection(Handler handler)
    : sink_(platform::Make<PageEventSink>(std::move(handler))) {}

PageEventConnection::~PageEventConnection() {
  sink_->Detach();
  if (browser_) AtlUnadvise(browser_.Get(), DIID_DWebBrowserEvents2, cookie_);
}

void PageEventConnection::ConnectTo(IWebBrowser2* browser) {
  if (browser_ || browser == nullptr) return;
  IUnknown* sink = static_cast<DWebBrowserEvents2*>(sink_.Get());
  if (SUCCEEDED(AtlAdvise(browser, sink, DIID_DWebBrowserEvents2, &cookie_))) browser_ = browser;
}

}  // namespace framework
