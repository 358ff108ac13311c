#include "platform/browser/BrowserFrame.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/activation/Activation.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComInit.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Rebar.h"

namespace platform {
namespace {

constexpr CLSID kBandClass = MakeGuid("6A1F0C3E-2B7D-4E95-9C48-1D2E3F405162");
constexpr char16_t kBandClassText[] = u"{6A1F0C3E-2B7D-4E95-9C48-1D2E3F405162}";

// What the recording bands were asked, in order; one log per test.
std::string gLog;

// A toolbar band as the browser meets one: it takes the browser from its
// site, listens to the browser's events, and makes its window below the
// site's window. Switches let a test make one step fail.
class RecordingBand final : public DispatchObject<IDeskBand, IObjectWithSite, DWebBrowserEvents2> {
 public:
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    gLog += "GetWindow;";
    *window = withoutWindow ? nullptr : window_.Get();
    return withoutWindow ? E_FAIL : S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShowDW(BOOL show) override {
    gLog += show ? "ShowDW(1);" : "ShowDW(0);";
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CloseDW(DWORD) override {
    gLog += "CloseDW;";
    window_.Reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResizeBorderDW(const RECT*, IUnknown*, BOOL) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetBandInfo(DWORD bandId, DWORD viewMode, DESKBANDINFO* info) override {
    gLog += "GetBandInfo(" + std::to_string(bandId) + "," + std::to_string(viewMode) + ");";
    info->ptMinSize = {40, 22};
    info->ptMaxSize = {-1, 22};
    info->ptIntegral = {1, 1};
    info->ptActual = {300, 22};
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override {
    if (cookie_ != 0) AtlUnadvise(browser_.Get(), DIID_DWebBrowserEvents2, cookie_);
    cookie_ = 0;
    browser_ = nullptr;
    site_ = nullptr;
    if (site == nullptr) {
      gLog += "SetSite(null);";
      return S_OK;
    }
    gLog += "SetSite;";
    if (refuseSite) return E_FAIL;
    ComPtr<IServiceProvider> services;
    ComPtr<IOleWindow> siteWindow;
    HWND parent = nullptr;
    if (FAILED(site->QueryInterface(IID_PPV_ARGS(services.ReleaseAndGetAddressOf()))) ||
        FAILED(services->QueryService(SID_SWebBrowserApp,
                                      IID_PPV_ARGS(browser_.ReleaseAndGetAddressOf()))) ||
        FAILED(site->QueryInterface(IID_PPV_ARGS(siteWindow.ReleaseAndGetAddressOf()))) ||
        FAILED(siteWindow->GetWindow(&parent))) {
      return E_FAIL;
    }
    site_ = site;
    AtlAdvise(browser_.Get(), static_cast<DWebBrowserEvents2*>(this), DIID_DWebBrowserEvents2,
              &cookie_);
    window_.Reset(CreateWindowExW(0, TOOLBARCLASSNAMEW, u"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 22,
                                  parent, nullptr, nullptr, nullptr));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSite(REFIID iid, void** site) override {
    if (!site_) {
      *site = nullptr;
      return E_FAIL;
    }
    return site_->QueryInterface(iid, site);
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (id == DISPID_ONQUIT) gLog += "OnQuit;";
    return S_OK;
  }

  HWND Window() const { return window_.Get(); }

  bool refuseSite = false;
  bool withoutWindow = false;

 private:
  ComPtr<IUnknown> site_;
  ComPtr<IWebBrowser2> browser_;
  DWORD cookie_ = 0;
  ui::UniqueWindow window_;
};

// Serves RecordingBand to the process for as long as it lives.
class ScopedBandClass {
 public:
  ScopedBandClass() {
    auto factory = Make<ClassFactory<RecordingBand>>();
    EXPECT_EQ(CoRegisterClassObject(kBandClass, factory.Get(), CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie_),
              S_OK);
  }
  ~ScopedBandClass() { CoRevokeClassObject(cookie_); }
  ScopedBandClass(const ScopedBandClass&) = delete;
  ScopedBandClass& operator=(const ScopedBandClass&) = delete;

 private:
  DWORD cookie_ = 0;
};

REBARBANDINFOW RebarBand(HWND rebar, int index) {
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
  EXPECT_TRUE(SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(&info)));
  return info;
}

class BrowserFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { gLog.clear(); }

  ScopedComInit com_;
  BrowserFrame frame_;
};

TEST_F(BrowserFrameTest, LaysOutTheFrameRebarAndPageWindowsAsTheBrowserDoes) {
  EXPECT_EQ(ui::WindowClassName(frame_.FrameWindow()), u"IEFrame");
  EXPECT_EQ(ui::WindowClassName(frame_.Rebar()), u"ReBarWindow32");
  EXPECT_EQ(ui::WindowClassName(frame_.PageWindow()), u"Internet Explorer_Server");
  EXPECT_EQ(GetParent(frame_.Rebar()), frame_.FrameWindow());
  EXPECT_EQ(GetAncestor(frame_.PageWindow(), GA_ROOT), frame_.FrameWindow());

  LONG_PTR browserWindow = 0;
  ASSERT_EQ(frame_.Browser().get_HWND(&browserWindow), S_OK);
  EXPECT_EQ(reinterpret_cast<HWND>(browserWindow), frame_.FrameWindow());
  // Bands are given a window below the rebar as their parent, so a band
  // finds the rebar as its parent's parent.
  HWND bandParent = nullptr;
  ASSERT_EQ(frame_.Browser().MakeBandSite()->GetWindow(&bandParent), S_OK);
  EXPECT_EQ(GetParent(bandParent), frame_.Rebar());
}

TEST_F(BrowserFrameTest, HostsAToolbarInARebarBandCarryingItsClassId) {
  auto band = Make<RecordingBand>();
  ASSERT_EQ(frame_.AddToolbar(static_cast<IDeskBand*>(band.Get()), kBandClass), S_OK);
  EXPECT_EQ(gLog, "SetSite;GetWindow;GetBandInfo(0,0);ShowDW(1);");

  ASSERT_EQ(SendMessageW(frame_.Rebar(), RB_GETBANDCOUNT, 0, 0), 1);
  EXPECT_EQ(ui::FindRebarBandByClassId(frame_.Rebar(), kBandClassText), 0);
  const REBARBANDINFOW info = RebarBand(frame_.Rebar(), 0);
  EXPECT_EQ(info.hwndChild, band->Window());
  EXPECT_EQ(info.fStyle & RBBS_BREAK, 0u);
  EXPECT_EQ(info.cxMinChild, 40u);
  EXPECT_EQ(info.cyMinChild, 22u);
  EXPECT_EQ(info.cx, 300u);
  // The band's window stands in the rebar of this browser window.
  EXPECT_EQ(GetAncestor(band->Window(), GA_ROOT), frame_.FrameWindow());
}

TEST_F(BrowserFrameTest, ActivatesAToolbarByItsClassId) {
  ScopedBandClass served;
  ASSERT_EQ(frame_.AddToolbar(kBandClass), S_OK);
  EXPECT_EQ(gLog, "SetSite;GetWindow;GetBandInfo(0,0);ShowDW(1);");
  EXPECT_EQ(ui::FindRebarBandByClassId(frame_.Rebar(), kBandClassText), 0);

  EXPECT_EQ(frame_.AddToolbar(MakeGuid("00000000-0000-0000-0000-00000000BEEF")),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(SendMessageW(frame_.Rebar(), RB_GETBANDCOUNT, 0, 0), 1);
}

TEST_F(BrowserFrameTest, QuitRaisesOnQuitBeforeClosingAndUnsitingEachBand) {
  auto band = Make<RecordingBand>();
  ASSERT_EQ(frame_.AddToolbar(static_cast<IDeskBand*>(band.Get()), kBandClass), S_OK);
  ComPtr<IServiceProvider> site;
  ASSERT_EQ(band->GetSite(IID_PPV_ARGS(site.ReleaseAndGetAddressOf())), S_OK);
  gLog.clear();

  frame_.Quit();
  EXPECT_EQ(gLog, "OnQuit;CloseDW;SetSite(null);");
  EXPECT_TRUE(frame_.Browser().HasQuit());
  EXPECT_EQ(frame_.Browser().EventSinkCount(), 0u);
  EXPECT_EQ(SendMessageW(frame_.Rebar(), RB_GETBANDCOUNT, 0, 0), 0);
  // The site the band had lets go of the browser.
  ComPtr<IWebBrowser2> browser;
  EXPECT_EQ(site->QueryService(SID_SWebBrowserApp, IID_PPV_ARGS(browser.ReleaseAndGetAddressOf())),
            E_NOINTERFACE);

  // Quitting again, or the destructor after it, closes nothing twice.
  gLog.clear();
  frame_.Quit();
  EXPECT_EQ(gLog, "");
  EXPECT_EQ(frame_.AddToolbar(static_cast<IDeskBand*>(band.Get()), kBandClass), E_FAIL);
}

TEST_F(BrowserFrameTest, DestructionQuitsAndLetsGoOfTheBands) {
  auto band = Make<RecordingBand>();
  {
    BrowserFrame frame;
    ASSERT_EQ(frame.AddToolbar(static_cast<IDeskBand*>(band.Get()), kBandClass), S_OK);
    gLog.clear();
  }
  EXPECT_EQ(gLog, "OnQuit;CloseDW;SetSite(null);");
  // Only the test's own reference is left.
  band->AddRef();
  EXPECT_EQ(band->Release(), 1u);
}

TEST_F(BrowserFrameTest, ABandThatFailsIsUnsitedAndLeavesNoRebarBand) {
  struct Case {
    const char* name;
    bool refuseSite;
    bool withoutWindow;
    const char* log;
  };
  const Case cases[] = {
      {"refuses the site", true, false, "SetSite;"},
      {"has no window", false, true, "SetSite;GetWindow;SetSite(null);"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gLog.clear();
    auto band = Make<RecordingBand>();
    band->refuseSite = c.refuseSite;
    band->withoutWindow = c.withoutWindow;
    EXPECT_EQ(frame_.AddToolbar(static_cast<IDeskBand*>(band.Get()), kBandClass), E_FAIL);
    EXPECT_EQ(gLog, c.log);
    EXPECT_EQ(SendMessageW(frame_.Rebar(), RB_GETBANDCOUNT, 0, 0), 0);
    EXPECT_EQ(frame_.Browser().EventSinkCount(), 0u);
    band->AddRef();
    EXPECT_EQ(band->Release(), 1u);
  }
  EXPECT_EQ(frame_.AddToolbar(nullptr, kBandClass), E_POINTER);
}

}  // namespace
}  // namespace platform
