// The band site the host gives the toolbar, as the browser's rebar site is:
// its window is the rebar, and it serves the browser object.
#pragma once

#include <windows.h>

// After <windows.h>, whose types they use.
#include <servprov.h>
#include <shlobj.h>

#include "platform/browser/ShellInterfaces.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

namespace windows_host {

class HostSite final : public platform::ComObject<IOleWindow, IInputObjectSite, IServiceProvider> {
 public:
  HostSite(HWND rebar, IWebBrowser2* browser) : rebar_(rebar), browser_(browser) {}

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = rebar_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE OnFocusChangeIS(IUnknown*, BOOL) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (service != SID_SWebBrowserApp && service != SID_SInternetExplorer) return E_NOINTERFACE;
    return browser_->QueryInterface(iid, object);
  }

 private:
  HWND rebar_;
  platform::ComPtr<IWebBrowser2> browser_;
};

}  // namespace windows_host
