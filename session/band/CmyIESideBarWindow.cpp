// The band's window: its class, its creation with the hosted control, and
// the window procedure that puts the ads the record holds into the page.
#include <string>

#include "platform/activation/Activation.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/browser/ControlHost.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/trace/Contain.h"
#include "platform/trace/Trace.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageQueue.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"
#include "session/band/CmyIESideBar.h"
#include "session/band/SidebarDocument.h"
#include "session/band/WaitingPage.h"

namespace session {
namespace {

constexpr char16_t kWindowClass[] = u"Vimaru Sidebar";
constexpr int kWindowWidth = 145;
constexpr COLORREF kBackground = 0x00C000;
// IDC_ARROW, which the SDK spells for the narrow functions unless UNICODE
// is defined.
constexpr int kArrowCursor = 32512;

bool RegisterSidebarClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (GetClassInfoExW(nullptr, platform::AsWchar(kWindowClass), &windowClass)) return true;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  windowClass.lpfnWndProc = &CmyIESideBar::WndProc;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(kArrowCursor));
  // The class owns its brush from here on, as long as the process lives.
  windowClass.hbrBackground = CreateSolidBrush(kBackground);
  windowClass.lpszClassName = platform::AsWchar(kWindowClass);
  if (RegisterClassExW(&windowClass) != 0) return true;
  DeleteObject(windowClass.hbrBackground);
  return false;
}

// The record's content, gone from the record once read, into the page of
// the record's sidebar control.
void ShowRecordContent(HWND window) {
  GlobalSinglton::Existing session;
  if (!session) return;
  const std::shared_ptr<TabContextC> record = session->GetTabContextBySidebarWindow(window);
  if (!record) return;
  const std::string content = record->TakeContent();
  const platform::ComPtr<IWebBrowser2> control = record->SidebarBrowser();
  if (content.empty()) return;
  const HRESULT put = platform::Contain("CmyIESideBar::WndProc", E_FAIL, [&] {
    return PutSidebarContent(control.Get(), platform::AnsiToWide(content));
  });
  if (FAILED(put)) platform::Trace("CmyIESideBar::WndProc put content error");
}

}  // namespace

bool CmyIESideBar::RegisterAndCreateWindow() {
  return platform::Contain("CmyIESideBar::RegisterAndCreateWindow", false, [&] {
    if (window_) return true;
    if (parentWindow_ == nullptr) {
      platform::Trace("CmyIESideBar::RegisterAndCreateWindow - !m_hwndParent");
      return false;
    }
    if (!RegisterSidebarClass()) {
      platform::Trace("CmyIESideBar::RegisterAndCreateWindow - !RegisterClass(&wc)");
      return false;
    }
    RECT client{};
    GetClientRect(parentWindow_, &client);
    window_.Reset(CreateWindowExW(0, platform::AsWchar(kWindowClass), platform::AsWchar(u""),
                                  WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER, client.left, client.top,
                                  kWindowWidth, client.bottom - client.top, parentWindow_, nullptr,
                                  nullptr, this));
    if (!window_) return false;
    HostControl();
    return true;
  });
}

void CmyIESideBar::HostControl() {
  platform::ComPtr<IWebBrowser2> control;
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(control.ReleaseAndGetAddressOf())))) {
    return;
  }
  // A control the window cannot host still takes the ads; they only do not
  // show, which is all a failed hosting could mean here.
  static_cast<void>(platform::AttachControlToWindow(control.Get(), window_.Get()));
  control->put_RegisterAsBrowser(VARIANT_FALSE);
  control->put_AddressBar(VARIANT_FALSE);
  control->put_MenuBar(VARIANT_FALSE);
  control->put_StatusBar(VARIANT_FALSE);
  control_ = control;

  sink_ = platform::Make<SidebarEventSink>([this] { firstLoad_ = false; });
  events_.Connect(control.Get(), static_cast<DWebBrowserEvents2*>(sink_.Get()),
                  DIID_DWebBrowserEvents2);

  const platform::Bstr page(WaitingPageUrl());
  platform::Variant none;
  control->Navigate(page.Get(), &none, &none, &none, &none);
}

LRESULT CALLBACK CmyIESideBar::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The ads thread's WM_PAINT and the system's alike: the first paint
  // after new content shows it, later ones find the record empty.
  if (message == WM_PAINT) {
    platform::Contain("CmyIESideBar::WndProc", false, [&] {
      ShowRecordContent(window);
      return true;
    });
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace session
