#include "tests/windows/host/HostBrowser.h"

#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"

namespace windows_host {

HostBrowser::HostBrowser(HWND frame, std::u16string location)
    : frame_(frame),
      location_(std::move(location)),
      events_(static_cast<IWebBrowser2*>(this), this, DIID_DWebBrowserEvents2) {}

HRESULT HostBrowser::get_LocationURL(BSTR* location) {
  return platform::CopyToBstr(location_, location);
}

HRESULT HostBrowser::get_HWND(SHANDLE_PTR* window) {
  if (window == nullptr) return E_POINTER;
  *window = reinterpret_cast<SHANDLE_PTR>(frame_);
  return S_OK;
}

HRESULT HostBrowser::Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
  if (url == nullptr) return E_INVALIDARG;
  return S_OK;
}

HRESULT HostBrowser::Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
  if (url == nullptr) return E_INVALIDARG;
  return platform::VariantText(*url) ? S_OK : E_INVALIDARG;
}

// No HTML engine runs here: the page has no document to scan.
HRESULT HostBrowser::get_Document(IDispatch** document) {
  if (document == nullptr) return E_POINTER;
  *document = nullptr;
  return S_FALSE;
}

HRESULT HostBrowser::get_Busy(VARIANT_BOOL* busy) {
  if (busy == nullptr) return E_POINTER;
  *busy = VARIANT_FALSE;
  return S_OK;
}

HRESULT HostBrowser::get_ReadyState(READYSTATE* state) {
  if (state == nullptr) return E_POINTER;
  *state = READYSTATE_COMPLETE;
  return S_OK;
}

HRESULT HostBrowser::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

HRESULT HostBrowser::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  if (iid != DIID_DWebBrowserEvents2) return CONNECT_E_NOCONNECTION;
  *point = &events_;
  events_.AddRef();
  return S_OK;
}

}  // namespace windows_host
