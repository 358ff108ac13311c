#include "framework/command/WebBrowserEventsC.h"

#include <utility>

#include "platform/automation/WebBrowserEventIds.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComObject.h"

namespace framework {

class WebBrowserEventsC::Sink final : public platform::DispatchObject<DWebBrowserEvents2> {
 public:
  explicit Sink(Handler handler) : handler_(std::move(handler)) {}
  void Detach() { handler_ = nullptr; }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    // A copy: the handler may destroy the command, and with it this sink's
    // last outside reference, while it runs.
    if (Handler handler = handler_) handler(id);
    return S_OK;
  }

 private:
  Handler handler_;
};

WebBrowserEventsC::WebBrowserEventsC(Handler handler)
    : sink_(platform::Make<Sink>(std::move(handler))) {}

WebBrowserEventsC::~WebBrowserEventsC() {
  sink_->Detach();
  connection_.Disconnect();
}

void WebBrowserEventsC::Connect(IWebBrowser2* browser) {
  if (connection_.IsConnected() || browser == nullptr) return;
  connection_.Connect(browser, static_cast<DWebBrowserEvents2*>(sink_.Get()),
                      DIID_DWebBrowserEvents2);
}

bool IsPageChangeEvent(DISPID id) {
  return id == DISPID_DOWNLOADCOMPLETE || id == DISPID_BEFORENAVIGATE2 ||
         id == DISPID_NAVIGATECOMPLETE2 || id == DISPID_DOCUMENTCOMPLETE;
}

}  // namespace framework
