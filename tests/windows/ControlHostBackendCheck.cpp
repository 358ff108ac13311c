// The control host on the real OLE: Wine's web browser control (created
// without an HTML engine, which only its documents need) sited in place in a
// window of ours, found again through the window, resized with it, and let
// go when the window goes.
#include <windows.h>

// After <windows.h>, whose types they use.
#include <exdisp.h>

#include "platform/browser/ControlHost.h"
#include "platform/com/ComInit.h"
#include "platform/com/ComPtr.h"
#include "tests/windows/Check.h"

namespace {

struct HostWindow {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  ~HostWindow() {
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
  }
};

platform::ComPtr<IUnknown> NewBrowserControl() {
  platform::ComPtr<IUnknown> control;
  CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                   IID_PPV_ARGS(control.ReleaseAndGetAddressOf()));
  return control;
}

ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

WINDOWS_CASE(TheControlIsSitedFoundAgainAndLetGoWithItsWindow) {
  platform::ScopedComInit com(COINIT_APARTMENTTHREADED);
  const platform::ComPtr<IUnknown> control = NewBrowserControl();
  CHECK_TRUE(control != nullptr);
  if (!control) return;
  const ULONG before = References(control.Get());
  HostWindow host;
  CHECK_EQ(platform::AttachControlToWindow(control.Get(), host.window), S_OK);

  platform::ComPtr<IUnknown> found;
  CHECK_EQ(platform::AtlAxGetControl(host.window, found.ReleaseAndGetAddressOf()), S_OK);
  platform::ComPtr<IUnknown> identity;
  control->QueryInterface(IID_PPV_ARGS(identity.ReleaseAndGetAddressOf()));
  CHECK_TRUE(found.Get() == identity.Get());

  platform::ComPtr<IOleObject> object;
  control->QueryInterface(IID_PPV_ARGS(object.ReleaseAndGetAddressOf()));
  platform::ComPtr<IOleClientSite> site;
  CHECK_TRUE(object && SUCCEEDED(object->GetClientSite(site.ReleaseAndGetAddressOf())) && site);
  site.Reset();
  object.Reset();
  found.Reset();
  identity.Reset();

  MoveWindow(host.window, 0, 0, 400, 300, TRUE);
  DestroyWindow(host.window);
  CHECK_TRUE(References(control.Get()) <= before);
  IUnknown* none = reinterpret_cast<IUnknown*>(1);
  CHECK_EQ(platform::AtlAxGetControl(host.window, &none), E_FAIL);
  CHECK_TRUE(none == nullptr);
}

WINDOWS_CASE(AttachingRefusesWhatItCannotHost) {
  platform::ScopedComInit com(COINIT_APARTMENTTHREADED);
  const platform::ComPtr<IUnknown> control = NewBrowserControl();
  HostWindow host;
  CHECK_EQ(platform::AttachControlToWindow(nullptr, host.window), E_POINTER);
  if (!control) return;
  CHECK_EQ(platform::AttachControlToWindow(control.Get(), nullptr), E_INVALIDARG);
  CHECK_EQ(platform::AttachControlToWindow(control.Get(), host.window), S_OK);
  // One control a window, as ATL's host window holds one.
  const platform::ComPtr<IUnknown> second = NewBrowserControl();
  if (second) CHECK_EQ(platform::AttachControlToWindow(second.Get(), host.window), E_INVALIDARG);
  CHECK_EQ(platform::AtlAxGetControl(host.window, nullptr), E_POINTER);
}

}  // namespace
