#include "platform/browser/BrowserSite.h"

namespace platform {

HRESULT BrowserSite::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = parentWindow_;
  return parentWindow_ != nullptr ? S_OK : E_FAIL;
}

HRESULT BrowserSite::OnFocusChangeIS(IUnknown* object, BOOL hasFocus) {
  focusChanges_.push_back({object, hasFocus != 0});
  return S_OK;
}

HRESULT BrowserSite::QueryService(REFGUID service, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (service != SID_SWebBrowserApp || !browser_) return E_NOINTERFACE;
  return browser_->QueryInterface(iid, object);
}

}  // namespace platform
