#include "tools/inspect/BrowserEventLog.h"

#include <utility>

#include "platform/automation/ConnectionPoint.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/com/ComObject.h"

namespace tools {

namespace {

// COM identity: the same object answers IUnknown with the same pointer.
bool SameObject(IUnknown* first, IUnknown* second) {
  if (first == nullptr || second == nullptr) return false;
  platform::ComPtr<IUnknown> a;
  platform::ComPtr<IUnknown> b;
  if (FAILED(first->QueryInterface(IID_IUnknown, a.ReleaseAndGetVoidAddressOf())) ||
      FAILED(second->QueryInterface(IID_IUnknown, b.ReleaseAndGetVoidAddressOf()))) {
    return false;
  }
  return a.Get() == b.Get();
}

}  // namespace

// The COM side: the browser holds a reference to it, so it may outlive the
// log; it stops writing when the log goes.
class BrowserEventSink final : public platform::DispatchObject<DWebBrowserEvents2> {
 public:
  BrowserEventSink(std::vector<BrowserEvent>* events, IWebBrowser2* top)
      : events_(events), top_(top) {}
  void Detach() { events_ = nullptr; }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (events_ == nullptr) return S_OK;
    BrowserEvent event{id, {}, false};
    // Arguments arrive last first: pDisp is the last of rgvarg, the URL
    // (when the event has one) the one before it.
    if (params != nullptr && params->cArgs >= 2) {
      const VARIANT& source = params->rgvarg[params->cArgs - 1];
      if (source.vt == VT_DISPATCH) event.frame = !SameObject(source.pdispVal, top_);
      event.url = platform::VariantText(params->rgvarg[params->cArgs - 2]).value_or(u"");
    }
    events_->push_back(std::move(event));
    return S_OK;
  }

 private:
  std::vector<BrowserEvent>* events_;
  IWebBrowser2* top_;  // not held: the log holds the browser for the sink's useful life
};

std::string BrowserEventName(DISPID id) {
  switch (id) {
    case DISPID_STATUSTEXTCHANGE:
      return "StatusTextChange";
    case DISPID_DOWNLOADCOMPLETE:
      return "DownloadComplete";
    case DISPID_COMMANDSTATECHANGE:
      return "CommandStateChange";
    case DISPID_DOWNLOADBEGIN:
      return "DownloadBegin";
    case DISPID_PROGRESSCHANGE:
      return "ProgressChange";
    case DISPID_TITLECHANGE:
      return "TitleChange";
    case DISPID_BEFORENAVIGATE2:
      return "BeforeNavigate2";
    case DISPID_NEWWINDOW2:
      return "NewWindow2";
    case DISPID_NAVIGATECOMPLETE2:
      return "NavigateComplete2";
    case DISPID_ONQUIT:
      return "OnQuit";
    case DISPID_ONVISIBLE:
      return "OnVisible";
    case DISPID_DOCUMENTCOMPLETE:
      return "DocumentComplete";
    default:
      return "DISPID " + std::to_string(id);
  }
}

BrowserEventLog::BrowserEventLog(platform::ComPtr<IWebBrowser2> browser)
    : browser_(std::move(browser)),
      sink_(platform::Make<BrowserEventSink>(&events_, browser_.Get())) {
  if (!browser_) return;
  IUnknown* sink = static_cast<DWebBrowserEvents2*>(sink_.Get());
  connected_ = SUCCEEDED(AtlAdvise(browser_.Get(), sink, DIID_DWebBrowserEvents2, &cookie_));
}

BrowserEventLog::~BrowserEventLog() {
  sink_->Detach();
  if (connected_) AtlUnadvise(browser_.Get(), DIID_DWebBrowserEvents2, cookie_);
}

}  // namespace tools
