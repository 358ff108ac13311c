// The site the browser hands a band (the toolbar, an explorer bar): the
// band's parent window (IOleWindow), the input-object site a band tells
// about its focus changes (recorded here), and the service provider that
// answers the browser application service (SID_SWebBrowserApp) with the
// browser. Any other service is refused with E_NOINTERFACE.
#pragma once

#include <vector>

#include "platform/browser/ShellInterfaces.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

namespace platform {

class BrowserSite final : public ComObject<IOleWindow, IInputObjectSite, IServiceProvider> {
 public:
  struct FocusChange {
    IUnknown* object;  // identity only; not held
    bool hasFocus;
  };

  BrowserSite(ComPtr<IWebBrowser2> browser, HWND parentWindow)
      : browser_(std::move(browser)), parentWindow_(parentWindow) {}

  // E_FAIL when the site has no window, as a site without one answers.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnFocusChangeIS(IUnknown* object, BOOL hasFocus) override;
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override;

  const std::vector<FocusChange>& FocusChanges() const { return focusChanges_; }
  // The browser lets go of the site when it closes the band: the site then
  // answers no more services, which breaks the browser-band-site cycle.
  void Detach() { browser_ = nullptr; }

 private:
  ComPtr<IWebBrowser2> browser_;
  HWND parentWindow_;
  std::vector<FocusChange> focusChanges_;
};

}  // namespace platform
