#include "platform/browser/BrowserFrame.h"

#include "platform/activation/Activation.h"
#include "platform/text/CodePage.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Rebar.h"

namespace platform {

namespace {

constexpr const char16_t* kFrameClass = u"IEFrame";
constexpr const char16_t* kPageClass = u"Internet Explorer_Server";
// The window below the rebar that bands are created in, as the browser's
// own band site has one.
constexpr const char16_t* kBandSiteClass = u"BandSiteWindow";

constexpr int kFrameWidth = 1024;
constexpr int kFrameHeight = 768;
constexpr int kRebarHeight = 60;
constexpr int kBandSiteHeight = 30;

constexpr DWORD kRebarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                              RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN;

// The frame's windows need no behaviour of their own; registering an
// existing class again fails harmlessly, so every frame simply asks.
void RegisterPlainClass(const char16_t* name) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &DefWindowProcW;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

HWND CreateChild(const char16_t* className, DWORD style, int x, int y, int width, int height,
                 HWND parent) {
  return CreateWindowExW(0, className, u"", style, x, y, width, height, parent, nullptr, nullptr,
                         nullptr);
}

}  // namespace

BrowserFrame::BrowserFrame() : browser_(CreateBrowserWindow()) {
  RegisterPlainClass(kFrameClass);
  RegisterPlainClass(kPageClass);
  RegisterPlainClass(kBandSiteClass);
  frame_.Reset(CreateWindowExW(0, kFrameClass, u"", WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kFrameWidth,
                               kFrameHeight, nullptr, nullptr, nullptr, nullptr));
  rebar_ = CreateChild(REBARCLASSNAMEW, kRebarStyle, 0, 0, kFrameWidth, kRebarHeight, frame_.Get());
  bandParent_ = CreateChild(kBandSiteClass, WS_CHILD | WS_VISIBLE, 0, 0, kFrameWidth,
                            kBandSiteHeight, rebar_);
  page_ = CreateChild(kPageClass, WS_CHILD | WS_VISIBLE, 0, kRebarHeight, kFrameWidth,
                      kFrameHeight - kRebarHeight, frame_.Get());
  browser_->SetFrameWindow(frame_.Get());
  browser_->SetBandParentWindow(bandParent_);
}

BrowserFrame::~BrowserFrame() { Quit(); }

BrowserObject& BrowserFrame::Browser() { return *browser_; }
HWND BrowserFrame::FrameWindow() const { return frame_.Get(); }
HWND BrowserFrame::Rebar() const { return rebar_; }
HWND BrowserFrame::PageWindow() const { return page_; }

HRESULT BrowserFrame::AddToolbar(const CLSID& clsid) {
  ComPtr<IUnknown> band;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      band.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  return AddToolbar(band.Get(), clsid);
}

HRESULT BrowserFrame::AddToolbar(IUnknown* band, const CLSID& clsid) {
  if (band == nullptr) return E_POINTER;
  if (quit_) return E_FAIL;
  ComPtr<IObjectWithSite> withSite;
  HRESULT hr = band->QueryInterface(IID_PPV_ARGS(withSite.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return hr;
  ComPtr<BrowserSite> site = browser_->MakeBandSite();
  hr = withSite->SetSite(static_cast<IOleWindow*>(site.Get()));
  if (FAILED(hr)) {
    site->Detach();
    return hr;
  }
  // From here on a failure must take the site back, or the band would keep
  // the browser alive through it.
  const auto unsite = [&](HRESULT failure) {
    withSite->SetSite(nullptr);
    site->Detach();
    return failure;
  };

  ComPtr<IDeskBand> deskBand;
  hr = band->QueryInterface(IID_PPV_ARGS(deskBand.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return unsite(hr);
  HWND window = nullptr;
  hr = deskBand->GetWindow(&window);
  if (FAILED(hr) || window == nullptr) return unsite(FAILED(hr) ? hr : E_FAIL);
  const auto bandId = static_cast<DWORD>(bands_.size());
  DESKBANDINFO info{};
  info.dwMask = DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_INTEGRAL | DBIM_ACTUAL | DBIM_MODEFLAGS;
  hr = deskBand->GetBandInfo(bandId, DBIF_VIEWMODE_NORMAL, &info);
  if (FAILED(hr)) return unsite(hr);

  REBARBANDINFOW rebarBand{};
  rebarBand.cbSize = sizeof(rebarBand);
  rebarBand.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
  rebarBand.fStyle = RBBS_CHILDEDGE;
  rebarBand.hwndChild = window;
  rebarBand.cxMinChild = static_cast<UINT>(info.ptMinSize.x);
  rebarBand.cyMinChild = static_cast<UINT>(info.ptMinSize.y);
  rebarBand.cyChild = static_cast<UINT>(info.ptActual.y);
  rebarBand.cyMaxChild = static_cast<UINT>(info.ptMaxSize.y);
  rebarBand.cyIntegral = static_cast<UINT>(info.ptIntegral.y);
  rebarBand.cx = static_cast<UINT>(info.ptActual.x);
  rebarBand.wID = bandId;
  if (!SendMessageW(rebar_, RB_INSERTBANDW, static_cast<WPARAM>(-1),
                    reinterpret_cast<LPARAM>(&rebarBand))) {
    return unsite(E_FAIL);
  }
  const int index = static_cast<int>(SendMessageW(rebar_, RB_GETBANDCOUNT, 0, 0)) - 1;
  ui::SetRebarBandClassId(rebar_, index, AnsiToWide(FormatGuid(clsid)));
  bands_.push_back({clsid, ComPtr<IUnknown>(band), site, bandId});
  deskBand->ShowDW(TRUE);
  return S_OK;
}

void BrowserFrame::Quit() {
  if (quit_) return;
  quit_ = true;
  browser_->Quit();
  std::vector<HostedBand> closing = std::move(bands_);
  bands_.clear();
  for (HostedBand& band : closing) CloseBand(band);
}

void BrowserFrame::CloseBand(HostedBand& band) {
  ComPtr<IDockingWindow> docking;
  if (SUCCEEDED(band.object.As(&docking))) docking->CloseDW(0);
  ComPtr<IObjectWithSite> withSite;
  if (SUCCEEDED(band.object.As(&withSite))) withSite->SetSite(nullptr);
  band.site->Detach();
  const auto index = SendMessageW(rebar_, RB_IDTOINDEX, band.bandId, 0);
  if (index >= 0) SendMessageW(rebar_, RB_DELETEBAND, static_cast<WPARAM>(index), 0);
}

}  // namespace platform
