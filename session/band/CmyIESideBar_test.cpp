// The sidebar band as the browser meets it: shown through ShowBrowserBar in
// a stand-in browser window, created through COM activation, sited, shown,
// closed and let go of, with what it leaves in the tab's record, in the
// session and in the process.
#include "session/band/CmyIESideBar.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/Bstr.h"
#include "platform/module/ThisModule.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "session/band/testing/SidebarTestSupport.h"

namespace session {
namespace {

using testing::References;
using testing::StandInControl;

constexpr char16_t kWaitingPage[] =
    u"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/ad.htm";

class CmyIESideBarTest : public testing::SidebarBandTest {};

TEST_F(CmyIESideBarTest, ASiteWithoutAWindowIsRefusedAndNothingIsKept) {
  testing::SidebarTrace trace;
  Tab().Browser().SetBandParentWindow(nullptr);
  EXPECT_EQ(Tab().Show(), E_FAIL);
  EXPECT_EQ(Tab().Band(), nullptr);
  EXPECT_EQ(trace.Lines(), (std::vector<std::string>{
                               "CmyIESideBar::RegisterAndCreateWindow - !m_hwndParent",
                               "CmyIESideBar::SetSite E_FAIL",
                           }));
  EXPECT_EQ(Tab().Record()->Sidebar(), nullptr);
  EXPECT_FALSE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
  // The refused band is gone: the browser kept no reference to it.
  EXPECT_EQ(platform::ModuleLifetime::ObjectCount(), objects_);

  // A site that is no window at all is refused the same way.
  const auto band = platform::Make<CmyIESideBar>();
  EXPECT_EQ(band->SetSite(Tab().BrowserInterface()), E_FAIL);
  HWND window = reinterpret_cast<HWND>(1);
  ASSERT_EQ(band->GetWindow(&window), S_OK);
  EXPECT_EQ(window, nullptr);
}

TEST_F(CmyIESideBarTest, ShownInATabItEntersTheTabsRecordAndTheSession) {
  ASSERT_EQ(Tab().Show(), S_OK);
  CmyIESideBar* band = Tab().Band();
  ASSERT_NE(band, nullptr);
  HWND window = nullptr;
  ASSERT_EQ(band->GetWindow(&window), S_OK);
  ASSERT_NE(window, nullptr);

  const auto& record = Tab().Record();
  EXPECT_EQ(record->Sidebar(), static_cast<SidebarI*>(band));
  EXPECT_EQ(record->SidebarWindow(), window);
  EXPECT_EQ(band->SidebarWindow(), window);
  ASSERT_TRUE(Control());
  // The control in the record is the one hosted in the window.
  LONG_PTR host = 0;
  ASSERT_EQ(Control()->get_HWND(&host), S_OK);
  EXPECT_EQ(reinterpret_cast<HWND>(host), window);
  EXPECT_EQ(Session()->GetTabContextBySidebarWindow(window), record);
  EXPECT_TRUE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
}

TEST_F(CmyIESideBarTest, ShownInATabWithoutARecordItWorksButNoAdsCanFindIt) {
  tab_.emplace(Session(), false);
  ASSERT_EQ(Tab().Show(), S_OK);
  CmyIESideBar* band = Tab().Band();
  ASSERT_NE(band, nullptr);
  HWND window = band->SidebarWindow();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_TRUE(band->IsWindowVisible());
  EXPECT_EQ(Session()->GetTabContextBySidebarWindow(window), nullptr);
  // The sidebars are keyed by browser, apart from the records.
  EXPECT_TRUE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
  SendMessageW(window, WM_PAINT, 0, 0);

  ASSERT_EQ(Tab().Show(false), S_OK);
  EXPECT_FALSE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
}

TEST_F(CmyIESideBarTest, WithoutASessionTheBandMakesNone) {
  tab_.emplace(Session(), false);
  session_.reset();
  ASSERT_EQ(Tab().Show(), S_OK);
  ASSERT_NE(Tab().Band(), nullptr);
  EXPECT_TRUE(IsWindow(Tab().Band()->SidebarWindow()));
  EXPECT_FALSE(GlobalSinglton::Existing());
  ASSERT_EQ(Tab().Show(false), S_OK);
  EXPECT_FALSE(GlobalSinglton::Existing());
}

TEST_F(CmyIESideBarTest, TheWindowIsAChildOfTheBarsParentAsTallAsIt) {
  ASSERT_EQ(Tab().Show(), S_OK);
  HWND window = Tab().Band()->SidebarWindow();
  HWND parent = Tab().BarParent();
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(GetParent(window), parent);
  EXPECT_EQ(platform::ui::WindowClassName(window), u"Vimaru Sidebar");
  EXPECT_EQ(platform::ui::WindowText(window), u"");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
            WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | WS_VISIBLE);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE), 0);

  RECT parentArea{};
  ASSERT_TRUE(GetClientRect(parent, &parentArea));
  ASSERT_GT(parentArea.bottom, 0);
  RECT area{};
  ASSERT_TRUE(GetClientRect(window, &area));
  EXPECT_EQ(area.right - area.left, 145);
  EXPECT_EQ(area.bottom - area.top, parentArea.bottom - parentArea.top);
  POINT origin{0, 0};
  MapWindowPoints(window, parent, &origin, 1);
  EXPECT_EQ(origin.x, parentArea.left);
  EXPECT_EQ(origin.y, parentArea.top);
}

TEST_F(CmyIESideBarTest, TheWindowClassIsRegisteredOnceWithItsBrushAndCursor) {
  ASSERT_EQ(Tab().Show(), S_OK);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  ASSERT_TRUE(GetClassInfoExW(nullptr, u"Vimaru Sidebar", &windowClass));
  EXPECT_EQ(windowClass.style, CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS);
  EXPECT_EQ(windowClass.lpfnWndProc, &CmyIESideBar::WndProc);
  EXPECT_EQ(windowClass.hCursor, LoadCursorW(nullptr, IDC_ARROW));
  HDC dc = platform::ui::CreateRecordingDC();
  const RECT area{0, 0, 4, 4};
  FillRect(dc, &area, windowClass.hbrBackground);
  const auto drawn = platform::ui::RecordedOperations(dc);
  platform::ui::DeleteDC(dc);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].colour, COLORREF{0x00C000});

  // A second sidebar, in another window, finds the class registered.
  testing::SidebarTab other(Session(), false);
  ASSERT_EQ(other.Show(), S_OK);
  EXPECT_EQ(platform::ui::WindowClassName(other.Band()->SidebarWindow()), u"Vimaru Sidebar");
}

TEST_F(CmyIESideBarTest, TheControlShowsTheWaitingPageWithoutBrowserChrome) {
  ASSERT_EQ(Tab().Show(), S_OK);
  platform::BrowserObject* control = StandInControl(Control().Get());
  ASSERT_NE(control, nullptr);
  const auto& properties = control->Properties();
  EXPECT_EQ(properties.registerAsBrowser, false);
  EXPECT_EQ(properties.addressBar, false);
  EXPECT_EQ(properties.menuBar, false);
  EXPECT_EQ(properties.statusBar, false);

  ASSERT_EQ(control->Navigations().size(), 1u);
  const platform::NavigationRecord& navigation = control->Navigations()[0];
  EXPECT_EQ(navigation.url, kWaitingPage);
  EXPECT_EQ(navigation.url,
            u"res://" + platform::AnsiToWide(platform::ModuleFilePath()) + u"/ad.htm");
  EXPECT_EQ(navigation.flags, std::nullopt);
  EXPECT_EQ(navigation.targetFrame, u"");
  EXPECT_EQ(navigation.postData, "");
  EXPECT_EQ(navigation.headers, u"");

  // The module's own page loaded, not the browser's error page.
  platform::Bstr title;
  ASSERT_EQ(control->get_LocationName(title.Receive()), S_OK);
  EXPECT_EQ(title.View(), u"Vimaru Search - Ads By QX");
  EXPECT_NE(testing::BodyHtml(control).find(u"Please wait while we retrieve some ads for you."),
            std::u16string::npos);
  EXPECT_EQ(control->EventSinkCount(), 1u);
  EXPECT_FALSE(Tab().Band()->IsFirstLoad());
}

TEST_F(CmyIESideBarTest, TheWaitingPageIsAddressedByTheModulesPath) {
  platform::ScopedModuleFilePath elsewhere("D:\\Tools\\Side Bar\\Vimaru.dll");
  ASSERT_EQ(Tab().Show(), S_OK);
  platform::BrowserObject* control = StandInControl(Control().Get());
  ASSERT_NE(control, nullptr);
  ASSERT_EQ(control->Navigations().size(), 1u);
  EXPECT_EQ(control->Navigations()[0].url, u"res://D:\\Tools\\Side Bar\\Vimaru.dll/ad.htm");
}

TEST_F(CmyIESideBarTest, TheFirstLoadEndsWithTheControlsDocumentComplete) {
  testing::ControlClass::HoldNextPageLoading();
  ASSERT_EQ(Tab().Show(), S_OK);
  platform::BrowserObject* control = StandInControl(Control().Get());
  ASSERT_NE(control, nullptr);
  // Navigated and committed, not complete.
  ASSERT_EQ(control->Navigations().size(), 1u);
  EXPECT_TRUE(Tab().Band()->IsFirstLoad());
  control->FinishLoading();
  EXPECT_FALSE(Tab().Band()->IsFirstLoad());
}

TEST_F(CmyIESideBarTest, ShowDWShowsAndHidesTheWindowAndTheControl) {
  ASSERT_EQ(Tab().Show(), S_OK);
  CmyIESideBar* band = Tab().Band();
  platform::BrowserObject* control = StandInControl(Control().Get());
  ASSERT_NE(control, nullptr);
  VARIANT_BOOL visible = VARIANT_FALSE;

  ASSERT_EQ(band->ShowDW(FALSE), S_OK);
  EXPECT_FALSE(band->IsWindowVisible());
  EXPECT_FALSE(::IsWindowVisible(band->SidebarWindow()));
  ASSERT_EQ(control->get_Visible(&visible), S_OK);
  EXPECT_EQ(visible, VARIANT_FALSE);
  EXPECT_FALSE(Session()->IsSidebarVisible(Tab().BrowserInterface()));

  // Showing the bar again shows the same band.
  ASSERT_EQ(Tab().Show(), S_OK);
  EXPECT_EQ(Tab().Band(), band);
  EXPECT_TRUE(band->IsWindowVisible());
  ASSERT_EQ(control->get_Visible(&visible), S_OK);
  EXPECT_EQ(visible, VARIANT_TRUE);
  EXPECT_TRUE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
}

TEST_F(CmyIESideBarTest, GetBandInfoFillsWhatTheMaskAsksAndRefusesTheBackgroundColour) {
  const auto band = platform::Make<CmyIESideBar>();
  DESKBANDINFO info;
  std::memset(&info, 0x7F, sizeof(info));
  info.dwMask = DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_INTEGRAL | DBIM_ACTUAL | DBIM_TITLE |
                DBIM_MODEFLAGS | DBIM_BKCOLOR;
  ASSERT_EQ(band->GetBandInfo(3, DBIF_VIEWMODE_VERTICAL, &info), S_OK);
  EXPECT_EQ(info.dwMask, DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_INTEGRAL | DBIM_ACTUAL | DBIM_TITLE |
                             DBIM_MODEFLAGS);
  EXPECT_EQ(info.ptMinSize.x, 180);
  EXPECT_EQ(info.ptMinSize.y, 200);
  EXPECT_EQ(info.ptMaxSize.x, 180);
  EXPECT_EQ(info.ptMaxSize.y, 200);
  EXPECT_EQ(info.ptIntegral.x, -1);
  EXPECT_EQ(info.ptIntegral.y, -1);
  EXPECT_EQ(info.ptActual.x, 180);
  EXPECT_EQ(info.ptActual.y, 200);
  EXPECT_EQ(info.wszTitle[0], 0);
  EXPECT_EQ(info.dwModeFlags, DWORD{4});
  EXPECT_EQ(info.dwModeFlags, DBIMF_FIXEDBMP);
  EXPECT_EQ(info.crBkgnd, COLORREF{0x7F7F7F7F}) << "the colour is refused, not written";

  // Only what is asked for is written.
  DESKBANDINFO untouched;
  std::memset(&untouched, 0x7F, sizeof(untouched));
  untouched.dwMask = DBIM_MAXSIZE;
  ASSERT_EQ(band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &untouched), S_OK);
  EXPECT_EQ(untouched.dwMask, DBIM_MAXSIZE);
  EXPECT_EQ(untouched.ptMaxSize.x, 180);
  EXPECT_EQ(untouched.ptMinSize.x, 0x7F7F7F7F);
  EXPECT_EQ(untouched.ptIntegral.y, 0x7F7F7F7F);
  EXPECT_EQ(static_cast<int>(untouched.wszTitle[0]), 0x7F7F);
  EXPECT_EQ(untouched.dwModeFlags, DWORD{0x7F7F7F7F});

  EXPECT_EQ(band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, nullptr), E_INVALIDARG);
}

TEST_F(CmyIESideBarTest, FocusGoesToTheWindowOnActivationWhileItExists) {
  ASSERT_EQ(Tab().Show(), S_OK);
  CmyIESideBar* band = Tab().Band();
  HWND window = band->SidebarWindow();
  SetFocus(nullptr);
  ASSERT_EQ(band->UIActivateIO(FALSE, nullptr), S_OK);
  EXPECT_EQ(GetFocus(), nullptr);
  ASSERT_EQ(band->UIActivateIO(TRUE, nullptr), S_OK);
  EXPECT_EQ(GetFocus(), window);
  EXPECT_EQ(band->HasFocusIO(), S_OK);
  EXPECT_EQ(band->TranslateAcceleratorIO(nullptr), S_FALSE);

  const platform::ComPtr<CmyIESideBar> kept(band);
  ASSERT_EQ(Tab().Show(false), S_OK);
  EXPECT_EQ(kept->HasFocusIO(), S_FALSE);
  EXPECT_EQ(kept->UIActivateIO(TRUE, nullptr), S_OK);
}

TEST_F(CmyIESideBarTest, ItPersistsNothingAndAnswersForItsClass) {
  const auto band = platform::Make<CmyIESideBar>();
  CLSID clsid{};
  ASSERT_EQ(band->GetClassID(&clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_CmyIESideBar);
  EXPECT_EQ(platform::FormatGuid(clsid), platform::WideToAnsi(kSidebarClassId));
  EXPECT_EQ(band->GetClassID(nullptr), E_POINTER);
  EXPECT_EQ(band->IsDirty(), S_FALSE);
  EXPECT_EQ(band->Load(nullptr), S_OK);
  EXPECT_EQ(band->Save(nullptr, TRUE), S_OK);
  ULARGE_INTEGER size{};
  size.QuadPart = 99;
  ASSERT_EQ(band->GetSizeMax(&size), S_OK);
  EXPECT_EQ(size.QuadPart, 0u);
  EXPECT_EQ(band->GetSizeMax(nullptr), E_POINTER);

  void* site = reinterpret_cast<void*>(1);
  EXPECT_EQ(band->GetSite(IID_IUnknown, &site), E_FAIL);
  EXPECT_EQ(site, nullptr);
  EXPECT_EQ(band->ContextSensitiveHelp(TRUE), E_NOTIMPL);
  EXPECT_EQ(band->ResizeBorderDW(nullptr, nullptr, FALSE), E_NOTIMPL);

  EXPECT_EQ(std::u16string_view(kSidebarProgId), u"CmyIESideBar.myIESideBar.1");
  EXPECT_EQ(std::u16string_view(kSidebarVersionIndependentProgId), u"CmyIESideBar.myIESideBar");
  EXPECT_EQ(std::u16string_view(kSidebarDisplayName), u"Halvo");
}

TEST_F(CmyIESideBarTest, ItAnswersItsInterfacesWithOneIdentityAndIsNoEventSink) {
  const auto band = platform::Make<CmyIESideBar>();
  platform::ComPtr<IUnknown> identity;
  ASSERT_EQ(band->QueryInterface(IID_IUnknown, identity.ReleaseAndGetVoidAddressOf()), S_OK);
  for (const IID& iid : {IID_IOleWindow, IID_IDockingWindow, IID_IDeskBand, IID_IInputObject,
                         IID_IObjectWithSite, IID_IPersist, IID_IPersistStream}) {
    platform::ComPtr<IUnknown> answer;
    ASSERT_EQ(band->QueryInterface(iid, answer.ReleaseAndGetVoidAddressOf()), S_OK)
        << platform::FormatGuid(iid);
    platform::ComPtr<IUnknown> back;
    ASSERT_EQ(answer->QueryInterface(IID_IUnknown, back.ReleaseAndGetVoidAddressOf()), S_OK);
    EXPECT_EQ(back.Get(), identity.Get());
  }
  // Its control's events go to a sink of their own (see SidebarEventSink.h).
  platform::ComPtr<IUnknown> sink;
  EXPECT_EQ(band->QueryInterface(DIID_DWebBrowserEvents2, sink.ReleaseAndGetVoidAddressOf()),
            E_NOINTERFACE);
  EXPECT_EQ(band->QueryInterface(IID_IDispatch, sink.ReleaseAndGetVoidAddressOf()), E_NOINTERFACE);
}

TEST_F(CmyIESideBarTest, ClosingTheBarTakesTheWindowTheControlAndBothEntriesDown) {
  const ULONG browserReferences = References(Tab().BrowserInterface());
  ASSERT_EQ(Tab().Show(), S_OK);
  HWND window = Tab().Band()->SidebarWindow();
  const platform::ComPtr<IWebBrowser2> control = Control();
  ASSERT_TRUE(control);
  ASSERT_EQ(StandInControl(control.Get())->EventSinkCount(), 1u);

  ASSERT_EQ(Tab().Show(false), S_OK);
  EXPECT_EQ(Tab().Band(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
  EXPECT_EQ(Session()->GetTabContextBySidebarWindow(window), nullptr);
  const auto& record = Tab().Record();
  EXPECT_EQ(record->Sidebar(), nullptr);
  EXPECT_EQ(record->SidebarWindow(), nullptr);
  EXPECT_FALSE(record->SidebarBrowser());
  EXPECT_EQ(StandInControl(control.Get())->EventSinkCount(), 0u);
  // Ours is the control's last reference; the band and its sink are gone,
  // and the browser holds no more than before.
  EXPECT_EQ(References(control.Get()), 1u);
  EXPECT_EQ(platform::ModuleLifetime::ObjectCount(), objects_);
  EXPECT_EQ(References(Tab().BrowserInterface()), browserReferences);
}

TEST_F(CmyIESideBarTest, CloseDWTwiceAndSetSiteNullAfterwardsAreHarmless) {
  ASSERT_EQ(Tab().Show(), S_OK);
  const platform::ComPtr<CmyIESideBar> band(Tab().Band());
  ASSERT_EQ(band->CloseDW(0), S_OK);
  HWND window = reinterpret_cast<HWND>(1);
  ASSERT_EQ(band->GetWindow(&window), S_OK);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(band->CloseDW(0), S_OK);
  EXPECT_EQ(band->ShowDW(TRUE), S_OK);
  EXPECT_FALSE(band->IsWindowVisible());
  EXPECT_FALSE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
  // The browser's own close follows: ShowDW(0), CloseDW, SetSite(nullptr).
  ASSERT_EQ(Tab().Show(false), S_OK);
  EXPECT_EQ(platform::ModuleLifetime::ObjectCount(), objects_ + 1) << "only the band we hold";
}

TEST_F(CmyIESideBarTest, ABandLetGoWithoutCloseDWLeavesNoWindowAndNoEntry) {
  const ULONG browserReferences = References(Tab().BrowserInterface());
  platform::ComPtr<IObjectWithSite> band;
  ASSERT_EQ(CoCreateInstance(CLSID_CmyIESideBar, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(band.ReleaseAndGetAddressOf())),
            S_OK);
  platform::ComPtr<platform::BrowserSite> site = Tab().Browser().MakeBandSite();
  ASSERT_EQ(band->SetSite(static_cast<IOleWindow*>(site.Get())), S_OK);
  site = nullptr;
  platform::ComPtr<IDeskBand> desk;
  ASSERT_EQ(band.As(&desk), S_OK);
  ASSERT_EQ(desk->ShowDW(TRUE), S_OK);
  HWND window = nullptr;
  ASSERT_EQ(desk->GetWindow(&window), S_OK);
  const platform::ComPtr<IWebBrowser2> control = Control();
  ASSERT_TRUE(control);
  ASSERT_TRUE(Session()->IsSidebarVisible(Tab().BrowserInterface()));

  desk = nullptr;
  band = nullptr;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
  EXPECT_EQ(Tab().Record()->Sidebar(), nullptr);
  EXPECT_EQ(StandInControl(control.Get())->EventSinkCount(), 0u);
  EXPECT_EQ(References(control.Get()), 1u);
  EXPECT_EQ(platform::ModuleLifetime::ObjectCount(), objects_);
  EXPECT_EQ(References(Tab().BrowserInterface()), browserReferences);
}

TEST_F(CmyIESideBarTest, SetSiteNullLetsEverythingGoAndANewSiteBuildsAgain) {
  const ULONG browserReferences = References(Tab().BrowserInterface());
  const auto band = platform::Make<CmyIESideBar>();
  platform::ComPtr<platform::BrowserSite> site = Tab().Browser().MakeBandSite();
  ASSERT_EQ(band->SetSite(static_cast<IOleWindow*>(site.Get())), S_OK);
  HWND window = band->SidebarWindow();
  const platform::ComPtr<IWebBrowser2> control = Control();
  ASSERT_TRUE(control);

  ASSERT_EQ(band->SetSite(nullptr), S_OK);
  site = nullptr;
  EXPECT_EQ(band->SidebarWindow(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Tab().Record()->Sidebar(), nullptr);
  EXPECT_FALSE(Session()->IsSidebarVisible(Tab().BrowserInterface()));
  EXPECT_EQ(References(control.Get()), 1u);
  EXPECT_EQ(References(Tab().BrowserInterface()), browserReferences);
  EXPECT_EQ(platform::ModuleLifetime::ObjectCount(), objects_ + 1) << "only the band we hold";

  site = Tab().Browser().MakeBandSite();
  ASSERT_EQ(band->SetSite(static_cast<IOleWindow*>(site.Get())), S_OK);
  EXPECT_TRUE(IsWindow(band->SidebarWindow()));
  EXPECT_EQ(Tab().Record()->Sidebar(), static_cast<SidebarI*>(band.Get()));
  EXPECT_NE(Control().Get(), control.Get()) << "a new control for the new window";
  ASSERT_EQ(band->SetSite(nullptr), S_OK);
}

}  // namespace
}  // namespace session
