#include "platform/browser/ControlHost.h"

#include "platform/browser/BrowserObject.h"
#include "platform/browser/PagePainter.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/Subclass.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

// The control a window hosts, for AtlAxGetControl; the reference is the
// subclass's.
constexpr const WCHAR* kHostedControlProp = u"platform.HostedControl";

// The host's hold on its control: the subclass's reference data is the
// control's reference, given back as the window goes. Printing the window
// draws the control's page.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR control) {
  if (message == WM_PRINTCLIENT) {
    auto* hosted = reinterpret_cast<BrowserObject*>(control);
    if (html::HtmlDocument* document = hosted->Document()) {
      RECT client{};
      GetClientRect(window, &client);
      PaintPage(*document, reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
  }
  if (message != WM_NCDESTROY) return DefSubclassProc(window, message, wParam, lParam);
  RemoveWindowSubclass(window, &HostWindowProc, id);
  if (GetPropW(window, kHostedControlProp) == reinterpret_cast<HANDLE>(control)) {
    RemovePropW(window, kHostedControlProp);
  }
  ComPtr<BrowserObject> hosted;
  hosted.Attach(reinterpret_cast<BrowserObject*>(control));
  LONG_PTR frame = 0;
  if (SUCCEEDED(hosted->get_HWND(&frame)) && reinterpret_cast<HWND>(frame) == window) {
    hosted->SetFrameWindow(nullptr);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

HRESULT AttachControlToWindow(IUnknown* control, HWND window) {
  if (control == nullptr) return E_POINTER;
  if (!IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
    return E_INVALIDARG;
  }
  ComPtr<IWebBrowser2> browser;
  if (FAILED(control->QueryInterface(IID_PPV_ARGS(browser.ReleaseAndGetAddressOf())))) {
    return E_NOINTERFACE;
  }
  BrowserObject* hosted = dynamic_cast<BrowserObject*>(browser.Get());
  if (hosted == nullptr) return E_NOINTERFACE;
  // One subclass per control and window: hosting the same control again
  // keeps the one reference the first hosting took.
  const auto id = reinterpret_cast<UINT_PTR>(hosted);
  if (!GetWindowSubclass(window, &HostWindowProc, id, nullptr)) {
    if (!SetWindowSubclass(window, &HostWindowProc, id, reinterpret_cast<DWORD_PTR>(hosted))) {
      return E_INVALIDARG;
    }
    hosted->AddRef();
  }
  SetPropW(window, kHostedControlProp, reinterpret_cast<HANDLE>(hosted));
  hosted->SetFrameWindow(window);
  return S_OK;
}

HRESULT AtlAxGetControl(HWND window, IUnknown** control) {
  if (control == nullptr) return E_POINTER;
  *control = nullptr;
  if (!IsWindow(window)) return E_FAIL;
  auto* hosted = reinterpret_cast<BrowserObject*>(GetPropW(window, kHostedControlProp));
  if (hosted == nullptr) return E_FAIL;
  return hosted->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(control));
}

}  // namespace platform
