#include "session/band/CmyIESideBar.h"

#include <memory>
#include <utility>

#include "platform/trace/Contain.h"
#include "platform/trace/Trace.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"
#include "session/band/SidebarClass.h"

namespace session {
namespace {

// The band neither grows nor shrinks: the explorer bar keeps the width the
// registration gave it.
constexpr POINTL kBandSize{180, 200};
constexpr POINTL kNoIntegralStep{-1, -1};

}  // namespace

CmyIESideBar::~CmyIESideBar() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  // A band the browser lets go of without CloseDW still takes its window
  // down and leaves the session.
  platform::Contain("CmyIESideBar::~CmyIESideBar", false, [&] {
    CloseWindow();
    ReleaseSite();
    return true;
  });
}

HRESULT CmyIESideBar::GetWindow(HWND* window) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (window == nullptr) return E_POINTER;
  *window = window_.Get();
  return S_OK;
}

HRESULT CmyIESideBar::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT CmyIESideBar::ShowDW(BOOL show) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::Contain("CmyIESideBar::ShowDW", S_OK, [&] {
    if (!window_) return S_OK;
    ShowWindow(window_.Get(), show ? SW_SHOW : SW_HIDE);
    if (control_) control_->put_Visible(show ? VARIANT_TRUE : VARIANT_FALSE);
    return S_OK;
  });
}

HRESULT CmyIESideBar::CloseDW(DWORD) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::Contain("CmyIESideBar::CloseDW", S_OK, [&] {
    ShowDW(FALSE);
    CloseWindow();
    return S_OK;
  });
}

HRESULT CmyIESideBar::ResizeBorderDW(const RECT*, IUnknown*, BOOL) { return E_NOTIMPL; }

HRESULT CmyIESideBar::GetBandInfo(DWORD bandId, DWORD viewMode, DESKBANDINFO* info) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::Contain("CmyIESideBar::GetBandInfo", S_OK, [&] {
    bandId_ = bandId;
    viewMode_ = viewMode;
    if (info == nullptr) return E_INVALIDARG;
    if (info->dwMask & DBIM_MINSIZE) info->ptMinSize = kBandSize;
    if (info->dwMask & DBIM_MAXSIZE) info->ptMaxSize = kBandSize;
    if (info->dwMask & DBIM_INTEGRAL) info->ptIntegral = kNoIntegralStep;
    if (info->dwMask & DBIM_ACTUAL) info->ptActual = kBandSize;
    if (info->dwMask & DBIM_TITLE) info->wszTitle[0] = 0;
    if (info->dwMask & DBIM_MODEFLAGS) info->dwModeFlags = DBIMF_FIXEDBMP;
    // Clearing the bit tells the browser to paint the band's background
    // itself.
    info->dwMask &= ~DBIM_BKCOLOR;
    return S_OK;
  });
}

HRESULT CmyIESideBar::UIActivateIO(BOOL activate, MSG*) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (activate && window_) SetFocus(window_.Get());
  return S_OK;
}

HRESULT CmyIESideBar::HasFocusIO() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return window_ ? S_OK : S_FALSE;
}

HRESULT CmyIESideBar::TranslateAcceleratorIO(MSG*) { return S_FALSE; }

HRESULT CmyIESideBar::SetSite(IUnknown* site) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  const HRESULT hr = platform::Contain("CmyIESideBar::SetSite", E_FAIL, [&] {
    ReleaseSite();
    return site == nullptr ? S_OK : Attach(site);
  });
  // The browser keeps no band whose SetSite failed and never unsites it, so
  // a failure must leave nothing behind; nor does an unsited band keep
  // anything of the site's window.
  if (site == nullptr || FAILED(hr)) {
    CloseWindow();
    ReleaseSite();
  }
  return hr;
}

HRESULT CmyIESideBar::Attach(IUnknown* site) {
  platform::ComPtr<IOleWindow> siteWindow;
  HWND parent = nullptr;
  if (SUCCEEDED(site->QueryInterface(IID_PPV_ARGS(siteWindow.ReleaseAndGetAddressOf()))) &&
      SUCCEEDED(siteWindow->GetWindow(&parent))) {
    parentWindow_ = parent;
  }
  if (!RegisterAndCreateWindow()) {
    platform::Trace("CmyIESideBar::SetSite E_FAIL");
    return E_FAIL;
  }
  site->QueryInterface(IID_PPV_ARGS(inputSite_.ReleaseAndGetAddressOf()));
  platform::ComPtr<IServiceProvider> services;
  if (SUCCEEDED(site->QueryInterface(IID_PPV_ARGS(services.ReleaseAndGetAddressOf()))) &&
      SUCCEEDED(services->QueryService(SID_SWebBrowserApp,
                                       IID_PPV_ARGS(tabBrowser_.ReleaseAndGetAddressOf()))) &&
      tabBrowser_) {
    Register();
  }
  return S_OK;
}

HRESULT CmyIESideBar::GetSite(REFIID, void** site) {
  if (site != nullptr) *site = nullptr;
  return E_FAIL;
}

HRESULT CmyIESideBar::GetClassID(CLSID* clsid) {
  if (clsid == nullptr) return E_POINTER;
  *clsid = CLSID_CmyIESideBar;
  return S_OK;
}

HRESULT CmyIESideBar::IsDirty() { return S_FALSE; }
HRESULT CmyIESideBar::Load(IStream*) { return S_OK; }
HRESULT CmyIESideBar::Save(IStream*, BOOL) { return S_OK; }

HRESULT CmyIESideBar::GetSizeMax(ULARGE_INTEGER* size) {
  if (size == nullptr) return E_POINTER;
  size->QuadPart = 0;
  return S_OK;
}

HWND CmyIESideBar::SidebarWindow() const { return window_.Get(); }

BOOL CmyIESideBar::IsWindowVisible() const {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return window_ ? ::IsWindowVisible(window_.Get()) : FALSE;
}

bool CmyIESideBar::IsFirstLoad() const {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return firstLoad_;
}

void CmyIESideBar::Register() {
  GlobalSinglton::Existing session;
  if (!session) return;
  if (const std::shared_ptr<TabContextC> record =
          session->GetTabContextByBrowser(tabBrowser_.Get())) {
    record->SetSidebar(this, control_, window_.Get());
  }
  session->AddSidebar(tabBrowser_.Get(), this);
}

void CmyIESideBar::Unregister() {
  // The session also clears every tab record that still names this band.
  GlobalSinglton::Existing session;
  if (session) session->RemoveSidebar(this);
}

void CmyIESideBar::CloseWindow() {
  if (!window_) return;
  events_.Disconnect();
  if (sink_) std::exchange(sink_, nullptr)->Forget();
  control_ = nullptr;
  // Out of the session before the window goes: other threads reach the
  // window only through the session and the record, and must not find a
  // handle that is being destroyed.
  Unregister();
  window_.Reset();
}

void CmyIESideBar::ReleaseSite() {
  inputSite_ = nullptr;
  tabBrowser_ = nullptr;
  parentWindow_ = nullptr;
}

}  // namespace session
