// The ads sidebar: the vertical explorer bar (a desk band) the browser opens
// in its window when the session shows it (ShowBrowserBar with
// CLSID_CmyIESideBar). Sited, the band makes a "Vimaru Sidebar" child of the
// site's window, hosts a web-browser control in it that shows the waiting
// page from the module's resources, and enters itself, the control and the
// window into the tab's record and the session's sidebars: that is how the
// ads thread finds where the ads go. The ads arrive as a WM_PAINT sent to
// the window; its procedure takes the record's content and writes it into
// the control's page.
//
// Lifetime: the band holds the control, the control's connection point
// holds the event sink, and the sink only points back at the band, so no
// reference cycle runs through the band. The tab browser and the site's
// input-object site are held only while the band is sited. CloseDW,
// SetSite(nullptr) and the destructor each take the window, the control
// and both registrations down; whichever comes first does it and the
// others find nothing left, so a band the browser releases without closing
// it leaves no window and no entry behind either.
//
// The band may be aggregated: inside an outer object its IUnknown methods
// are the outer object's.
//
// Lives on the browser window's thread.
#pragma once

#include "platform/automation/SinkConnection.h"
#include "platform/browser/ShellInterfaces.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/module/ModuleLifetime.h"
#include "platform/threading/ThreadChecker.h"
#include "platform/ui/Window.h"
#include "session/SidebarI.h"
#include "session/band/SidebarEventSink.h"

namespace session {

class CmyIESideBar final : public platform::AggregatableComObject<IDeskBand, IInputObject,
                                                                  IObjectWithSite, IPersistStream>,
                           public SidebarI,
                           platform::ModuleObject {
 public:
  CmyIESideBar() = default;

  // --- IOleWindow, IDockingWindow, IDeskBand --------------------------------------
  // The sidebar window, null while there is none.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;
  // Shows or hides the window and the control with it.
  HRESULT STDMETHODCALLTYPE ShowDW(BOOL show) override;
  // Hides, then disconnects the sink, lets the control go, leaves the tab's
  // record and the session and destroys the window. Harmless twice.
  HRESULT STDMETHODCALLTYPE CloseDW(DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE ResizeBorderDW(const RECT* border, IUnknown* site,
                                           BOOL reserved) override;
  // A fixed 180 x 200 band without a title; E_INVALIDARG without `info`.
  HRESULT STDMETHODCALLTYPE GetBandInfo(DWORD bandId, DWORD viewMode, DESKBANDINFO* info) override;

  // --- IInputObject -----------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE UIActivateIO(BOOL activate, MSG* message) override;
  // S_OK while the window exists.
  HRESULT STDMETHODCALLTYPE HasFocusIO() override;
  HRESULT STDMETHODCALLTYPE TranslateAcceleratorIO(MSG* message) override;

  // --- IObjectWithSite --------------------------------------------------------------
  // With a site: the window and the control are made and the band
  // registered; E_FAIL (and nothing kept) when the site has no window or
  // the window cannot be made. Without one: everything is let go.
  HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
  HRESULT STDMETHODCALLTYPE GetSite(REFIID iid, void** site) override;

  // --- IPersist, IPersistStream: the band keeps no state ---------------------------
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

  // --- SidebarI and the session --------------------------------------------------------
  // From any thread while the band is in the session: the handle changes
  // only while it is not.
  HWND SidebarWindow() const override;
  // Whether the window shows, as the session's IsSidebarVisible asks it.
  BOOL IsWindowVisible() const;

  // True until the control's first DocumentComplete.
  bool IsFirstLoad() const;

  // The procedure of the "Vimaru Sidebar" class.
  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  ~CmyIESideBar() override;

  HRESULT Attach(IUnknown* site);
  // Whether the window exists afterwards.
  bool RegisterAndCreateWindow();
  void HostControl();
  void Register();
  void Unregister();
  // CloseDW's work after the hiding: nothing when there is no window.
  void CloseWindow();
  void ReleaseSite();

  HWND parentWindow_ = nullptr;
  platform::ui::UniqueWindow window_;
  // Held while sited; the sidebar tells its site of no focus changes, the
  // browser's own page window does.
  platform::ComPtr<IInputObjectSite> inputSite_;
  // As GetBandInfo was last given them; the band's size depends on neither.
  DWORD bandId_ = 0;
  DWORD viewMode_ = 0;
  platform::ComPtr<IWebBrowser2> tabBrowser_;
  platform::ComPtr<IWebBrowser2> control_;
  platform::ComPtr<SidebarEventSink> sink_;
  platform::SinkConnection events_;
  bool firstLoad_ = true;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace session
