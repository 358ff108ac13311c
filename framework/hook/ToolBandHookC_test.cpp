#include "framework/hook/ToolBandHookC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/context/testplugin/PlugInEvents.h"
#include "framework/hook/ToolBandHookWith.h"
#include "framework/toolband/ToolBandTestSupport.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/com/ComInit.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/CodePage.h"
#include "platform/threading/ThreadChecker.h"
#include "platform/trace/Trace.h"
#include "platform/ui/Rebar.h"

namespace framework {
namespace {

using testing::HoldAndPress;
using testing::kLayoutDirectory;
using testing::kLayoutPath;
using testing::Layout;
using testing::OnOtherThreadWhilePumping;
using testing::PlugInEvents;
using testing::RecordingCommand;

constexpr CLSID kHookClass = platform::MakeGuid("7C0E5A1B-3D2F-4B6A-8E9C-0A1B2C3D4E5F");
constexpr const char* kHookClassText = "{7C0E5A1B-3D2F-4B6A-8E9C-0A1B2C3D4E5F}";
constexpr const char* kCompanyAndName = " company='Maker' name='Bar'";
constexpr const char* kFirstRunKey = "Software\\Maker\\Bar";

// A product-like hook: a standalone tab context on the test layout with a
// recording "Hot" command, and every browser event it hears.
class TestHook final : public ToolBandHookC {
 public:
  explicit TestHook(std::vector<std::string>& executed) : executed_(executed) {}

  std::unique_ptr<ToolBandContextC> CreateContext(platform::ComPtr<IWebBrowser2> browser,
                                                  HostData hostData) override {
    ++contextsCreated;
    hostDataSeen = hostData;
    if (throwOnCreate) throw std::runtime_error("no context");
    auto context = std::make_unique<StandaloneTabContextC>(
        kLayoutPath, std::move(browser), plugInEvents != nullptr ? plugInEvents : hostData);
    context->SetBandClassIdText(kHookClassText);
    context->OwnCommands().Add(std::make_unique<RecordingCommand>("Hot", executed_));
    return context;
  }

  void OnBrowserEvent(DISPID id, DISPPARAMS*) override {
    events.push_back(id);
    if (id == DISPID_ONQUIT) {
      toolbandStoodAtQuit = Context() != nullptr && Context()->ToolBand() != nullptr;
    }
  }

  ULONG References() {
    AddRef();
    return Release();
  }

  int contextsCreated = 0;
  HostData hostDataSeen = nullptr;
  PlugInEvents* plugInEvents = nullptr;
  bool throwOnCreate = false;
  std::vector<DISPID> events;
  bool toolbandStoodAtQuit = false;

 private:
  std::vector<std::string>& executed_;
};

// A site that has a window but offers no services at all.
class WindowOnlySite final : public platform::ComObject<IOleWindow> {
 public:
  explicit WindowOnlySite(HWND window) : window_(window) {}
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    *window = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 private:
  HWND window_;
};

ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// Puts one of the framework's test plug-ins beside the module.
void InstallPlugIn(const std::string& name) {
  std::ifstream file(std::string(VIMARU_TEST_PLUGIN_DIR) + "/" + name + ".dll", std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  ASSERT_FALSE(bytes.str().empty()) << name;
  ASSERT_TRUE(
      platform::WriteWholeFile(platform::GetModuleDirectory() + "\\" + name + ".dll", bytes.str()));
}

class ToolBandHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::ui::ReleaseAllKeys();
    ASSERT_TRUE(platform::MakeDirectories(kLayoutDirectory));
    WriteLayout(
        Layout("<button command='Hot' caption='H' hotkey='Ctrl+K'/>"
               "<edit command='Hot' width='60'/>",
               kCompanyAndName));
    ASSERT_TRUE(platform::MakeDirectories("C:\\Pages"));
    ASSERT_TRUE(platform::WriteWholeFile(
        "C:\\Pages\\top.htm", "<body>Top<iframe name='side' src='side.htm'></iframe></body>"));
    ASSERT_TRUE(platform::WriteWholeFile("C:\\Pages\\side.htm", "<body>Side</body>"));
    ASSERT_TRUE(platform::WriteWholeFile("C:\\Pages\\plain.htm", "<body>Plain</body>"));
  }
  void TearDown() override { platform::ui::ReleaseAllKeys(); }

  void WriteLayout(const std::string& text) {
    ASSERT_TRUE(platform::WriteWholeFile(kLayoutPath, text));
  }

  platform::ComPtr<TestHook> NewHook() { return platform::Make<TestHook>(executed_); }

  // A hook hosted in `frame`'s rebar as the browser hosts its toolbars.
  platform::ComPtr<TestHook> AddHook(platform::BrowserFrame& frame) {
    auto hook = NewHook();
    EXPECT_EQ(frame.AddToolbar(static_cast<IDeskBand*>(hook.Get()), kHookClass), S_OK);
    return hook;
  }

  static void Open(platform::BrowserFrame& frame, std::u16string_view url) {
    ASSERT_EQ(
        frame.Browser().Navigate(platform::Bstr(url).Get(), nullptr, nullptr, nullptr, nullptr),
        S_OK);
  }

  static bool HasOwnRow(const platform::BrowserFrame& frame) {
    const int index =
        platform::ui::FindRebarBandByClassId(frame.Rebar(), platform::AnsiToWide(kHookClassText));
    EXPECT_GE(index, 0);
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_STYLE;
    EXPECT_TRUE(SendMessageW(frame.Rebar(), RB_GETBANDINFOW, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(&info)));
    return (info.fStyle & RBBS_BREAK) != 0;
  }

  static void ClearOwnRow(const platform::BrowserFrame& frame) {
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_STYLE;
    info.fStyle = 0;
    SendMessageW(frame.Rebar(), RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&info));
  }

  static bool HasFirstRunMarker() {
    platform::RegistryKey key;
    std::string marker;
    return key.Open(HKEY_CURRENT_USER, kFirstRunKey) == ERROR_SUCCESS &&
           key.QueryStringValue("FirstRun", marker) == ERROR_SUCCESS;
  }

  static HWND BandParent(platform::BrowserFrame& frame) {
    HWND window = nullptr;
    frame.Browser().MakeBandSite()->GetWindow(&window);
    return window;
  }

  static platform::BrowserSite& SiteOf(ToolBandHookC& hook) {
    platform::ComPtr<IOleWindow> site;
    EXPECT_EQ(hook.GetSite(IID_PPV_ARGS(site.ReleaseAndGetAddressOf())), S_OK);
    return *static_cast<platform::BrowserSite*>(site.Get());
  }

  platform::ScopedFileSystemRoot root_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedComInit com_;
  std::vector<std::string> executed_;
  std::unique_ptr<platform::BrowserFrame> frame_ = std::make_unique<platform::BrowserFrame>();
};

TEST_F(ToolBandHookTest, SettingTheSiteBuildsTheToolbarInTheBrowsersRebar) {
  auto hook = AddHook(*frame_);
  ASSERT_NE(hook->Context(), nullptr);
  ToolBandC* toolband = hook->Context()->ToolBand();
  ASSERT_NE(toolband, nullptr);
  EXPECT_EQ(hook->contextsCreated, 1);
  EXPECT_EQ(hook->Context()->Browser(), static_cast<IWebBrowser2*>(&frame_->Browser()));
  // The site's window owns the toolbar and its dialogs.
  EXPECT_EQ(hook->hostDataSeen, BandParent(*frame_));

  HWND window = nullptr;
  ASSERT_EQ(hook->GetWindow(&window), S_OK);
  EXPECT_EQ(window, toolband->ToolbarWindow());
  REBARBANDINFOW band{};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILD;
  ASSERT_TRUE(SendMessageW(frame_->Rebar(), RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(band.hwndChild, window);
  EXPECT_EQ(toolband->HookedRebar(), frame_->Rebar());
  EXPECT_EQ(GetAncestor(window, GA_ROOT), frame_->FrameWindow());
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(SendMessageW(window, TB_BUTTONCOUNT, 0, 0), 2);
  EXPECT_EQ(frame_->Browser().EventSinkCount(), 1u);
  EXPECT_FALSE(HasOwnRow(*frame_));
}

TEST_F(ToolBandHookTest, OnlyTheFirstCompletedNavigationAfterInstallationGivesTheToolbarItsOwnRow) {
  auto hook = AddHook(*frame_);
  EXPECT_FALSE(HasFirstRunMarker());
  Open(*frame_, u"file:///C:/Pages/top.htm");
  EXPECT_TRUE(HasOwnRow(*frame_));
  EXPECT_TRUE(HasFirstRunMarker());

  // Later navigations leave the rebar as the user arranged it, even when
  // the marker has gone meanwhile: the check runs once per hook.
  ClearOwnRow(*frame_);
  platform::RegistryKey key;
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, kFirstRunKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
  ASSERT_EQ(key.DeleteValue("FirstRun"), ERROR_SUCCESS);
  Open(*frame_, u"file:///C:/Pages/plain.htm");
  EXPECT_FALSE(HasOwnRow(*frame_));
}

TEST_F(ToolBandHookTest, ALaterBrowserWindowLeavesItsRebarAsItIs) {
  auto first = AddHook(*frame_);
  Open(*frame_, u"file:///C:/Pages/plain.htm");
  ASSERT_TRUE(HasOwnRow(*frame_));

  platform::BrowserFrame second;
  auto hook = AddHook(second);
  Open(second, u"file:///C:/Pages/plain.htm");
  EXPECT_FALSE(HasOwnRow(second));
}

TEST_F(ToolBandHookTest, EveryEventReachesTheProductInTheBrowsersOrder) {
  auto hook = AddHook(*frame_);
  Open(*frame_, u"file:///C:/Pages/top.htm");
  EXPECT_EQ(hook->events, (std::vector<DISPID>{DISPID_BEFORENAVIGATE2, DISPID_DOWNLOADBEGIN,
                                               DISPID_NAVIGATECOMPLETE2, DISPID_BEFORENAVIGATE2,
                                               DISPID_NAVIGATECOMPLETE2, DISPID_DOCUMENTCOMPLETE,
                                               DISPID_DOWNLOADCOMPLETE, DISPID_DOCUMENTCOMPLETE}));
}

TEST_F(ToolBandHookTest, HotKeysReachTheHostedToolbarsCommands) {
  auto hook = AddHook(*frame_);
  SetFocus(frame_->PageWindow());
  HoldAndPress({VK_CONTROL}, 'K');
  EXPECT_EQ(executed_, (std::vector<std::string>{"Hot"}));
}

TEST_F(ToolBandHookTest, OnQuitShutsTheContextDownAfterTheProductHeardIt) {
  InstallPlugIn("CommandSetPlugIn");
  PlugInEvents plugIn;
  auto hook = NewHook();
  hook->plugInEvents = &plugIn;
  ASSERT_EQ(frame_->AddToolbar(static_cast<IDeskBand*>(hook.Get()), kHookClass), S_OK);
  ASSERT_EQ(plugIn.created, 1);

  ASSERT_EQ(frame_->Browser().Quit(), S_OK);
  EXPECT_EQ(hook->events, (std::vector<DISPID>{DISPID_ONQUIT}));
  EXPECT_TRUE(hook->toolbandStoodAtQuit);
  ASSERT_NE(hook->Context(), nullptr);
  EXPECT_EQ(hook->Context()->ToolBand(), nullptr);
  EXPECT_EQ(plugIn.shutdownNotices, 1);
  EXPECT_EQ(plugIn.deleted, 1);
  EXPECT_EQ(frame_->Browser().EventSinkCount(), 0u);
  HWND window = nullptr;
  EXPECT_EQ(hook->GetWindow(&window), E_FAIL);
  // The thread's keyboard hook went with the context.
  SetFocus(frame_->PageWindow());
  HoldAndPress({VK_CONTROL}, 'K');
  EXPECT_TRUE(executed_.empty());

  // A late event does nothing: no product notice, no first-run check.
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(hook->Invoke(DISPID_NAVIGATECOMPLETE2, GUID_NULL, 0, DISPATCH_METHOD, &none, nullptr,
                         nullptr, nullptr),
            S_OK);
  EXPECT_EQ(hook->events.size(), 1u);
  EXPECT_FALSE(HasFirstRunMarker());

  // The browser then closes the band; the context is shut down once only.
  frame_->Quit();
  EXPECT_EQ(hook->Context(), nullptr);
  EXPECT_EQ(plugIn.shutdownNotices, 1);
}

TEST_F(ToolBandHookTest, SetSiteNullDisconnectsAndBreaksTheReferenceCycle) {
  auto site = frame_->Browser().MakeBandSite();
  const ULONG browserReferences = References(static_cast<IWebBrowser2*>(&frame_->Browser()));
  auto hook = NewHook();
  ASSERT_EQ(hook->SetSite(static_cast<IOleWindow*>(site.Get())), S_OK);
  EXPECT_EQ(frame_->Browser().EventSinkCount(), 1u);
  EXPECT_GT(hook->References(), 1u);

  ASSERT_EQ(hook->SetSite(nullptr), S_OK);
  EXPECT_EQ(frame_->Browser().EventSinkCount(), 0u);
  EXPECT_EQ(hook->Context(), nullptr);
  platform::ComPtr<IUnknown> none;
  EXPECT_EQ(hook->GetSite(IID_IUnknown, none.ReleaseAndGetVoidAddressOf()), E_FAIL);
  EXPECT_EQ(FindWindowExW(BandParent(*frame_), nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(hook->References(), 1u);
  EXPECT_EQ(References(static_cast<IWebBrowser2*>(&frame_->Browser())), browserReferences);
  SetFocus(frame_->PageWindow());
  HoldAndPress({VK_CONTROL}, 'K');
  EXPECT_TRUE(executed_.empty());

  // The same hook can be sited again.
  ASSERT_EQ(hook->SetSite(static_cast<IOleWindow*>(site.Get())), S_OK);
  EXPECT_NE(hook->Context()->ToolBand(), nullptr);
  EXPECT_EQ(hook->contextsCreated, 2);
  ASSERT_EQ(hook->SetSite(nullptr), S_OK);
}

TEST_F(ToolBandHookTest, AFailedSiteLeavesNoToolbarNoConnectionAndNoReference) {
  HWND bandParent = BandParent(*frame_);
  auto browserSite = [&](HWND window) {
    return platform::ComPtr<IUnknown>(
        static_cast<IOleWindow*>(platform::Make<platform::BrowserSite>(
                                     platform::ComPtr<IWebBrowser2>(&frame_->Browser()), window)
                                     .Get()));
  };
  auto detachedSite = platform::Make<platform::BrowserSite>(
      platform::ComPtr<IWebBrowser2>(&frame_->Browser()), bandParent);
  detachedSite->Detach();

  struct Case {
    const char* name;
    platform::ComPtr<IUnknown> site;
    bool badLayout;
    int contextsCreated;
  };
  const Case cases[] = {
      {"no service provider",
       platform::ComPtr<IUnknown>(platform::Make<WindowOnlySite>(bandParent).Get()), false, 0},
      {"no browser service",
       platform::ComPtr<IUnknown>(static_cast<IOleWindow*>(detachedSite.Get())), false, 0},
      {"no site window", browserSite(nullptr), false, 0},
      {"layout without a toolband root", browserSite(bandParent), true, 1},
  };
  SetFocus(frame_->PageWindow());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteLayout(c.badLayout ? "<toolband><button command='Hot'/></toolband>"
                            : Layout("<button command='Hot' hotkey='Ctrl+K'/>"));
    const ULONG browserReferences = References(static_cast<IWebBrowser2*>(&frame_->Browser()));
    auto hook = NewHook();
    EXPECT_TRUE(FAILED(hook->SetSite(c.site.Get())));
    EXPECT_EQ(hook->contextsCreated, c.contextsCreated);
    EXPECT_EQ(hook->Context(), nullptr);
    EXPECT_EQ(frame_->Browser().EventSinkCount(), 0u);
    EXPECT_EQ(FindWindowExW(bandParent, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(hook->References(), 1u);
    EXPECT_EQ(References(static_cast<IWebBrowser2*>(&frame_->Browser())), browserReferences);
    HoldAndPress({VK_CONTROL}, 'K');
    EXPECT_TRUE(executed_.empty());
  }
  // Hosted by the browser, the failed band leaves no trace in the rebar.
  auto hook = NewHook();
  EXPECT_TRUE(FAILED(frame_->AddToolbar(static_cast<IDeskBand*>(hook.Get()), kHookClass)));
  EXPECT_EQ(SendMessageW(frame_->Rebar(), RB_GETBANDCOUNT, 0, 0), 0);
}

TEST_F(ToolBandHookTest, AContextThatThrowsIsContainedAndLeavesNoConnection) {
  std::vector<std::string> lines;
  platform::ScopedTraceCapture capture([&](std::string_view line) { lines.emplace_back(line); });
  auto site = frame_->Browser().MakeBandSite();
  auto hook = NewHook();
  hook->throwOnCreate = true;
  EXPECT_EQ(hook->SetSite(static_cast<IOleWindow*>(site.Get())), E_FAIL);
  EXPECT_EQ(frame_->Browser().EventSinkCount(), 0u);
  EXPECT_EQ(hook->Context(), nullptr);
  EXPECT_EQ(hook->References(), 1u);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ToolBandHookC::SetSite exception"), lines.end());
}

TEST_F(ToolBandHookTest, BandInfoShowAndCloseFollowTheToolbar) {
  auto hook = AddHook(*frame_);
  HWND toolbar = hook->Context()->ToolBand()->ToolbarWindow();
  RECT area{};
  GetWindowRect(toolbar, &area);
  DESKBANDINFO info{};
  info.dwMask = DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_INTEGRAL | DBIM_ACTUAL | DBIM_TITLE |
                DBIM_MODEFLAGS | DBIM_BKCOLOR;
  ASSERT_EQ(hook->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &info), S_OK);
  EXPECT_EQ(info.ptMinSize.y, area.bottom - area.top);
  EXPECT_GT(info.ptMinSize.y, 0);
  EXPECT_GT(info.ptMinSize.x, 0);
  EXPECT_EQ(info.ptMaxSize.x, -1);
  EXPECT_EQ(info.ptMaxSize.y, info.ptMinSize.y);
  EXPECT_EQ(info.ptActual.x, area.right - area.left);
  EXPECT_EQ(info.dwModeFlags, DBIMF_NORMAL);
  EXPECT_EQ(info.dwMask & (DBIM_TITLE | DBIM_BKCOLOR), 0u);
  EXPECT_EQ(hook->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, nullptr), E_INVALIDARG);

  ASSERT_EQ(hook->ShowDW(FALSE), S_OK);
  EXPECT_FALSE(IsWindowVisible(toolbar));
  ASSERT_EQ(hook->ShowDW(TRUE), S_OK);
  EXPECT_TRUE(IsWindowVisible(toolbar));

  ASSERT_EQ(hook->CloseDW(0), S_OK);
  EXPECT_FALSE(IsWindow(toolbar));
  EXPECT_EQ(frame_->Browser().EventSinkCount(), 0u);
  HWND window = nullptr;
  EXPECT_EQ(hook->GetWindow(&window), E_FAIL);
  // The site stays until the browser takes it back.
  platform::ComPtr<IUnknown> site;
  EXPECT_EQ(hook->GetSite(IID_IUnknown, site.ReleaseAndGetVoidAddressOf()), S_OK);
}

TEST_F(ToolBandHookTest, TheSiteHearsWhenTheFocusEntersAndLeavesTheToolbar) {
  auto hook = AddHook(*frame_);
  platform::BrowserSite& site = SiteOf(*hook);
  platform::ComPtr<IUnknown> identity;
  ASSERT_EQ(hook->QueryInterface(IID_IUnknown, identity.ReleaseAndGetVoidAddressOf()), S_OK);
  HWND toolbar = hook->Context()->ToolBand()->ToolbarWindow();
  HWND edit = FindWindowExW(toolbar, nullptr, WC_EDITW, nullptr);
  ASSERT_NE(edit, nullptr);

  SetFocus(frame_->PageWindow());
  EXPECT_EQ(hook->HasFocusIO(), S_FALSE);
  ASSERT_EQ(hook->UIActivateIO(TRUE, nullptr), S_OK);
  EXPECT_EQ(GetFocus(), toolbar);
  EXPECT_EQ(hook->HasFocusIO(), S_OK);
  SetFocus(edit);
  EXPECT_EQ(hook->HasFocusIO(), S_OK);
  SetFocus(frame_->PageWindow());
  EXPECT_EQ(hook->HasFocusIO(), S_FALSE);

  std::vector<bool> changes;
  for (const auto& change : site.FocusChanges()) {
    EXPECT_EQ(change.object, identity.Get());
    changes.push_back(change.hasFocus);
  }
  // Into the toolbar, from it into its edit field, out to the page.
  EXPECT_EQ(changes, (std::vector<bool>{true, false, true, false}));
}

TEST_F(ToolBandHookTest, KeysGoToTheFocusedFieldButTabAndOtherFocusStayWithTheBrowser) {
  auto hook = AddHook(*frame_);
  HWND toolbar = hook->Context()->ToolBand()->ToolbarWindow();
  HWND edit = FindWindowExW(toolbar, nullptr, WC_EDITW, nullptr);
  ASSERT_NE(edit, nullptr);

  MSG character{};
  character.hwnd = edit;
  character.message = WM_CHAR;
  character.wParam = 'a';
  MSG tab{};
  tab.hwnd = edit;
  tab.message = WM_KEYDOWN;
  tab.wParam = VK_TAB;

  SetFocus(frame_->PageWindow());
  EXPECT_EQ(hook->TranslateAcceleratorIO(&character), S_FALSE);
  SetFocus(edit);
  EXPECT_EQ(hook->TranslateAcceleratorIO(&character), S_OK);
  EXPECT_EQ(platform::ui::WindowText(edit), u"a");
  EXPECT_EQ(hook->TranslateAcceleratorIO(&tab), S_FALSE);
  EXPECT_EQ(hook->TranslateAcceleratorIO(nullptr), S_FALSE);
}

// A dual interface of a product, with no members beyond IDispatch's.
struct ITestProductHook : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0");
  using BaseInterface = IDispatch;

 protected:
  ~ITestProductHook() = default;
};

class ProductHook final : public ToolBandHookWith<ITestProductHook> {
 public:
  std::unique_ptr<ToolBandContextC> CreateContext(platform::ComPtr<IWebBrowser2>,
                                                  HostData) override {
    return nullptr;
  }
};

TEST(ToolBandHookWith, AnswersTheProductsInterfaceWithTheHooksIdentityAndCount) {
  auto hook = platform::Make<ProductHook>();
  platform::ComPtr<ITestProductHook> product;
  ASSERT_EQ(hook->QueryInterface(IID_PPV_ARGS(product.ReleaseAndGetAddressOf())), S_OK);
  platform::ComPtr<IUnknown> fromHook;
  platform::ComPtr<IUnknown> fromProduct;
  ASSERT_EQ(hook->QueryInterface(IID_IUnknown, fromHook.ReleaseAndGetVoidAddressOf()), S_OK);
  ASSERT_EQ(product->QueryInterface(IID_IUnknown, fromProduct.ReleaseAndGetVoidAddressOf()), S_OK);
  EXPECT_EQ(fromHook.Get(), fromProduct.Get());
  platform::ComPtr<IDeskBand> band;
  EXPECT_EQ(product->QueryInterface(IID_PPV_ARGS(band.ReleaseAndGetAddressOf())), S_OK);
  const ULONG before = References(fromHook.Get());
  product->AddRef();
  EXPECT_EQ(References(fromHook.Get()), before + 1);
  product->Release();
  platform::ComPtr<IObjectWithSite> withSite;
  EXPECT_EQ(hook->QueryInterface(IID_PPV_ARGS(withSite.ReleaseAndGetAddressOf())), S_OK);
  platform::ComPtr<IUnknown> unknown;
  EXPECT_EQ(hook->QueryInterface(platform::MakeGuid("11111111-2222-3333-4444-555555555555"),
                                 unknown.ReleaseAndGetVoidAddressOf()),
            E_NOINTERFACE);
}

// The browser calls its bands on the window's thread; a call from another
// apartment's thread must not reach the toolbar.
using ToolBandHookDeathTest = ToolBandHookTest;

TEST_F(ToolBandHookDeathTest, AnEntryPointCalledFromAnotherThreadAborts) {
  if (!platform::kThreadChecksOn) GTEST_SKIP() << "thread checks are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto hook = AddHook(*frame_);
  ToolBandHookC* band = hook.Get();
  EXPECT_DEATH(OnOtherThreadWhilePumping([&] { band->ShowDW(FALSE); }),
               "ToolBandHookC::ShowDW.*called on a thread other than");
}

}  // namespace
}  // namespace framework
