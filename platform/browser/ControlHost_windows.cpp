// Hosts an ActiveX control (the web browser control) in a window of ours, as
// ATL's AtlAxAttachControl does: a client site that is also the in-place
// site, the control activated in place over the window's client area and
// resized with it, and everything let go when the window goes.
#ifdef _WIN32
#include <windows.h>

// After <windows.h>, whose types they use.
#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "platform/browser/ControlHost.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

template <>
struct platform::BaseInterfaceOf<IOleInPlaceSite> {
  using Type = IOleWindow;
};

namespace platform {
namespace {

constexpr wchar_t kHostedControlProp[] = L"platform.HostedControl";
constexpr UINT_PTR kHostSubclassId = 0x56494D41;

class ControlSite final : public ComObject<IOleClientSite, IOleInPlaceSite> {
 public:
  explicit ControlSite(HWND window) : window_(window) {}

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker != nullptr) *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    if (container != nullptr) *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                             IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip,
                                             LPOLEINPLACEFRAMEINFO frameInfo) override {
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr)
      return E_POINTER;
    *frame = nullptr;
    *document = nullptr;
    GetClientRect(window_, position);
    *clip = *position;
    if (frameInfo != nullptr) {
      frameInfo->fMDIApp = FALSE;
      frameInfo->hwndFrame = GetAncestor(window_, GA_ROOT);
      frameInfo->haccel = nullptr;
      frameInfo->cAccelEntries = 0;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override {
    if (position == nullptr) return E_POINTER;
    return S_OK;
  }

 private:
  HWND window_;
};

// What the window keeps while it hosts the control.
struct Hosting {
  ComPtr<IUnknown> control;
  ComPtr<ControlSite> site;
};

void Resize(const Hosting& hosting, HWND window) {
  ComPtr<IOleInPlaceObject> inPlace;
  if (FAILED(hosting.control->QueryInterface(IID_PPV_ARGS(inPlace.ReleaseAndGetAddressOf()))))
    return;
  RECT client{};
  GetClientRect(window, &client);
  inPlace->SetObjectRects(&client, &client);
}

void Release(Hosting* hosting) {
  ComPtr<IOleObject> object;
  if (SUCCEEDED(hosting->control->QueryInterface(IID_PPV_ARGS(object.ReleaseAndGetAddressOf())))) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
  }
  delete hosting;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
  auto* hosting = reinterpret_cast<Hosting*>(data);
  if (message == WM_SIZE) Resize(*hosting, window);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &HostWindowProc, kHostSubclassId);
    RemovePropW(window, kHostedControlProp);
    Release(hosting);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

HRESULT AttachControlToWindow(IUnknown* control, HWND window) {
  if (control == nullptr) return E_POINTER;
  if (!IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
    return E_INVALIDARG;
  }
  ComPtr<IOleObject> object;
  if (FAILED(control->QueryInterface(IID_PPV_ARGS(object.ReleaseAndGetAddressOf()))))
    return E_NOINTERFACE;
  if (GetPropW(window, kHostedControlProp) != nullptr) return E_INVALIDARG;

  auto hosting = std::make_unique<Hosting>();
  hosting->control = ComPtr<IUnknown>(control);
  hosting->site = Make<ControlSite>(window);
  HRESULT result = object->SetClientSite(hosting->site.Get());
  if (FAILED(result)) return result;
  RECT client{};
  GetClientRect(window, &client);
  result =
      object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, hosting->site.Get(), 0, window, &client);
  if (FAILED(result) || !SetWindowSubclass(window, &HostWindowProc, kHostSubclassId,
                                           reinterpret_cast<DWORD_PTR>(hosting.get()))) {
    object->SetClientSite(nullptr);
    return FAILED(result) ? result : E_FAIL;
  }
  SetPropW(window, kHostedControlProp, reinterpret_cast<HANDLE>(hosting->control.Get()));
  hosting.release();
  return S_OK;
}

HRESULT AtlAxGetControl(HWND window, IUnknown** control) {
  if (control == nullptr) return E_POINTER;
  *control = nullptr;
  if (!IsWindow(window)) return E_FAIL;
  auto* hosted = reinterpret_cast<IUnknown*>(GetPropW(window, kHostedControlProp));
  if (hosted == nullptr) return E_FAIL;
  return hosted->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(control));
}

}  // namespace platform
#endif
