// An explorer bar for the browser's tests, in its own module: it asks its
// site for the parent window and the browser as a real band does, reports a
// focus change when shown, and logs every call the browser makes, which the
// tests read through the exported TestBarLog.
#include <string>

#include "platform/browser/ShellInterfaces.h"
#include "platform/com/ClassFactory.h"
#include "platform/module/ModuleLifetime.h"

inline constexpr CLSID CLSID_TestBar = platform::MakeGuid("4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B");

namespace {

std::string gLog;

class TestBar final : public platform::ComObject<IDeskBand, IObjectWithSite>,
                      platform::ModuleObject {
 public:
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    *window = nullptr;
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShowDW(BOOL show) override {
    gLog += show ? "ShowDW(1);" : "ShowDW(0);";
    platform::ComPtr<IInputObjectSite> inputSite;
    if (show && site_ && SUCCEEDED(site_.As(&inputSite))) {
      inputSite->OnFocusChangeIS(static_cast<IDeskBand*>(this), 1);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CloseDW(DWORD) override {
    gLog += "CloseDW;";
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResizeBorderDW(const RECT*, IUnknown*, BOOL) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetBandInfo(DWORD, DWORD, DESKBANDINFO*) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override {
    site_ = nullptr;
    browser_ = nullptr;
    if (site == nullptr) {
      gLog += "SetSite(null);";
      return S_OK;
    }
    platform::ComPtr<IOleWindow> window;
    HWND parent = nullptr;
    if (FAILED(site->QueryInterface(IID_PPV_ARGS(window.ReleaseAndGetAddressOf()))) ||
        FAILED(window->GetWindow(&parent))) {
      gLog += "SetSite(no window);";
      return E_FAIL;
    }
    platform::ComPtr<IServiceProvider> services;
    site->QueryInterface(IID_PPV_ARGS(services.ReleaseAndGetAddressOf()));
    const bool gotBrowser =
        services && SUCCEEDED(services->QueryService(SID_SWebBrowserApp, IID_IWebBrowser2,
                                                     browser_.ReleaseAndGetVoidAddressOf()));
    site_ = site;
    gLog += gotBrowser ? "SetSite(browser);" : "SetSite(no browser);";
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSite(REFIID, void** site) override {
    *site = nullptr;
    return E_FAIL;
  }

 private:
  platform::ComPtr<IUnknown> site_;
  platform::ComPtr<IWebBrowser2> browser_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT STDAPICALLTYPE
DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_TestBar) return CLASS_E_CLASSNOTAVAILABLE;
  return platform::Make<platform::ClassFactory<TestBar>>()->QueryInterface(iid, object);
}

extern "C" __attribute__((visibility("default"))) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return platform::ModuleLifetime::CanUnload() ? S_OK : S_FALSE;
}

extern "C" __attribute__((visibility("default"))) const char* TestBarLog() { return gLog.c_str(); }
