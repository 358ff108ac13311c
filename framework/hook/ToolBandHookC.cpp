#include "framework/hook/ToolBandHookC.h"

#include <utility>

#include "framework/toolband/ToolBandC.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/trace/Contain.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace framework {

namespace {

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
         message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

RECT WindowArea(HWND window) {
  RECT area{};
  if (window != nullptr) GetWindowRect(window, &area);
  return area;
}

// The width of the toolbar's first button: the band is never narrower, so
// the first item (the product's menu) always shows.
LONG FirstButtonWidth(HWND toolbar) {
  if (toolbar == nullptr || SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0) <= 0) return 0;
  RECT button{};
  if (!SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button))) return 0;
  return button.right - button.left;
}

}  // namespace

ToolBandHookC::~ToolBandHookC() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  // The product's shut-down may fail; the trace is all that is left to
  // report it to.
  platform::Contain("ToolBandHookC::~ToolBandHookC", false, [&] {
    ReleaseSite();
    return true;
  });
}

HWND ToolBandHookC::ToolbarWindow() const {
  if (context_ == nullptr || context_->ToolBand() == nullptr) return nullptr;
  return context_->ToolBand()->ToolbarWindow();
}

HRESULT ToolBandHookC::GetWindow(HWND* window) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (window == nullptr) return E_POINTER;
  *window = ToolbarWindow();
  return *window != nullptr ? S_OK : E_FAIL;
}

HRESULT ToolBandHookC::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT ToolBandHookC::ShowDW(BOOL show) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::ContainTraced("ToolBandHookC::ShowDW", S_OK, [&] {
    if (HWND toolbar = ToolbarWindow()) ShowWindow(toolbar, show ? SW_SHOW : SW_HIDE);
    return S_OK;
  });
}

HRESULT ToolBandHookC::CloseDW(DWORD) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::ContainTraced("ToolBandHookC::CloseDW", S_OK, [&] {
    Close();
    return S_OK;
  });
}

HRESULT ToolBandHookC::ResizeBorderDW(const RECT*, IUnknown*, BOOL) { return E_NOTIMPL; }

HRESULT ToolBandHookC::GetBandInfo(DWORD, DWORD, DESKBANDINFO* info) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (info == nullptr) return E_INVALIDARG;
  HWND toolbar = ToolbarWindow();
  const RECT area = WindowArea(toolbar);
  const LONG height = area.bottom - area.top;
  if (info->dwMask & DBIM_MINSIZE) info->ptMinSize = {FirstButtonWidth(toolbar), height};
  // -1: no limit; a horizontal band's height stays the toolbar's.
  if (info->dwMask & DBIM_MAXSIZE) info->ptMaxSize = {-1, height};
  if (info->dwMask & DBIM_INTEGRAL) info->ptIntegral = {1, 1};
  if (info->dwMask & DBIM_ACTUAL) info->ptActual = {area.right - area.left, height};
  if (info->dwMask & DBIM_MODEFLAGS) info->dwModeFlags = DBIMF_NORMAL;
  // A toolbar shows no title beside its gripper and no colour of its own.
  info->dwMask &= ~(DBIM_TITLE | DBIM_BKCOLOR);
  return S_OK;
}

HRESULT ToolBandHookC::SetSite(IUnknown* site) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  // A failure must not read as success: the browser would keep a band
  // without a window. Nor may a throwing context leave the sink connected
  // behind it.
  bool attaching = false;
  return platform::ContainTraced(
      "ToolBandHookC::SetSite", E_FAIL,
      [&] {
        ReleaseSite();
        if (site == nullptr) return S_OK;
        attaching = true;
        const HRESULT hr = Attach(site);
        attaching = false;
        if (FAILED(hr)) ReleaseSite();
        return hr;
      },
      [&] {
        if (attaching) ReleaseSite();
      });
}

HRESULT ToolBandHookC::Attach(IUnknown* site) {
  platform::ComPtr<IServiceProvider> services;
  HRESULT hr = site->QueryInterface(IID_PPV_ARGS(services.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return hr;
  platform::ComPtr<IWebBrowser2> browser;
  hr = services->QueryService(SID_SWebBrowserApp, IID_PPV_ARGS(browser.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return hr;
  if (!browser) return E_NOINTERFACE;
  platform::ComPtr<IOleWindow> siteWindow;
  hr = site->QueryInterface(IID_PPV_ARGS(siteWindow.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return hr;
  HWND parent = nullptr;
  hr = siteWindow->GetWindow(&parent);
  if (FAILED(hr)) return hr;

  site_ = site;
  hr = events_.Connect(browser.Get(), static_cast<DWebBrowserEvents2*>(this),
                       DIID_DWebBrowserEvents2);
  if (FAILED(hr)) return hr;
  context_ = CreateContext(browser, parent);
  contextShutDown_ = false;
  if (context_ == nullptr || context_->Create(parent) == nullptr) return E_FAIL;
  focusWatch_.Start(ToolbarWindow(), [this](bool hasFocus) { ReportFocus(hasFocus); });
  return S_OK;
}

HRESULT ToolBandHookC::GetSite(REFIID iid, void** site) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (site == nullptr) return E_POINTER;
  *site = nullptr;
  if (!site_) return E_FAIL;
  return site_->QueryInterface(iid, site);
}

HRESULT ToolBandHookC::UIActivateIO(BOOL activate, MSG*) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::ContainTraced("ToolBandHookC::UIActivateIO", S_OK, [&] {
    HWND toolbar = ToolbarWindow();
    // The focus watch reports the toolbar's new focus to the site.
    if (activate && toolbar != nullptr && HasFocusIO() != S_OK) SetFocus(toolbar);
    return S_OK;
  });
}

HRESULT ToolBandHookC::HasFocusIO() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  HWND toolbar = ToolbarWindow();
  HWND focus = GetFocus();
  if (toolbar == nullptr || focus == nullptr) return S_FALSE;
  return focus == toolbar || IsChild(toolbar, focus) ? S_OK : S_FALSE;
}

HRESULT ToolBandHookC::TranslateAcceleratorIO(MSG* message) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::ContainTraced("ToolBandHookC::TranslateAcceleratorIO", S_FALSE, [&] {
    if (message == nullptr || !IsKeyMessage(message->message) || HasFocusIO() != S_OK) {
      return S_FALSE;
    }
    // Tab moves the focus on through the browser's own windows.
    if (message->message != WM_CHAR && message->wParam == static_cast<WPARAM>(VK_TAB)) {
      return S_FALSE;
    }
    TranslateMessage(message);
    DispatchMessageW(message);
    return S_OK;
  });
}

HRESULT ToolBandHookC::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                              EXCEPINFO*, UINT*) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::ContainTraced("ToolBandHookC::Invoke", S_OK, [&] {
    if (!events_.IsConnected() || context_ == nullptr) return S_OK;
    // The product's handler or the shut-down may let go of the browser's
    // last reference to this hook while it is still running.
    const platform::ComPtr<ToolBandHookC> self(this);
    OnBrowserEvent(id, params);
    if (!events_.IsConnected() || context_ == nullptr) return S_OK;
    if (id == DISPID_NAVIGATECOMPLETE2 && !firstNavigationSeen_) {
      firstNavigationSeen_ = true;
      context_->RunFirstRunCheck();
    } else if (id == DISPID_ONQUIT) {
      Close();
    }
    return S_OK;
  });
}

void ToolBandHookC::OnBrowserEvent(DISPID, DISPPARAMS*) {}

void ToolBandHookC::ReportFocus(bool hasFocus) {
  platform::ComPtr<IInputObjectSite> inputSite;
  if (site_ && SUCCEEDED(site_.As(&inputSite))) {
    inputSite->OnFocusChangeIS(IdentityUnknown(), hasFocus ? TRUE : FALSE);
  }
}

void ToolBandHookC::Close() {
  focusWatch_.Stop();
  events_.Disconnect();
  if (context_ != nullptr && !contextShutDown_) {
    contextShutDown_ = true;
    context_->ShutDown();
  }
}

void ToolBandHookC::ReleaseSite() {
  Close();
  context_.reset();
  site_ = nullptr;
}

}  // namespace framework
