// The framework's browser-site hook: the toolbar object the browser creates
// from its toolbar list, and the base of the product's toolbar class. It is
// a desk band (IDeskBand: the toolband's window, shown, closed, sized as a
// toolbar band), an input object (IInputObject: focus and keys while the
// toolbar has the focus), a site object (IObjectWithSite) and the browser's
// event sink (DWebBrowserEvents2).
//
// Set site: the browser comes from the site's browser application service,
// the event sink is connected to it, and the tab context (made by the
// product's CreateContext) builds the toolband as a child of the site's
// window. A failure at any step leaves no toolbar, no message and no
// connection, and SetSite reports it so the browser keeps no empty band.
//
// Events: every event first reaches OnBrowserEvent, in the browser's order,
// so the product hears OnQuit while its toolbar still stands; then the
// first NavigateComplete2 this hook sees runs the first-run check (the
// toolbar's own rebar row on the first run after installation), and OnQuit
// shuts the context down and disconnects the sink. After OnQuit, CloseDW or
// SetSite(nullptr) no event is handled any more.
//
// Lifetime: the browser holds the sink, the sink is this hook, and the hook
// holds the browser through its context. Disconnecting the sink (OnQuit,
// CloseDW, SetSite(nullptr)) breaks that cycle; SetSite(nullptr) also
// destroys the context and lets go of the site.
//
// Interfaces of the product's own (its dual interface) are added with
// ToolBandHookWith (ToolBandHookWith.h) rather than by listing them here.
//
// Lives on the browser window's thread.
#pragma once

#include <memory>

#include "framework/command/HostData.h"
#include "framework/context/ToolBandContextC.h"
#include "framework/hook/BandFocusWatch.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/SinkConnection.h"
#include "platform/browser/ShellInterfaces.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"
#include "platform/threading/ThreadChecker.h"

namespace framework {

class ToolBandHookC : public platform::DispatchObject<IDeskBand, IObjectWithSite, IInputObject,
                                                      DWebBrowserEvents2> {
 public:
  // IOleWindow, IDockingWindow, IDeskBand
  // The toolband's window; E_FAIL while there is none.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;
  HRESULT STDMETHODCALLTYPE ShowDW(BOOL show) override;
  // Shuts the context down and disconnects the sink; the site stays until
  // SetSite(nullptr).
  HRESULT STDMETHODCALLTYPE CloseDW(DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE ResizeBorderDW(const RECT* border, IUnknown* site,
                                           BOOL reserved) override;
  // A toolbar band: at least as high as the toolbar and as wide as its
  // first button, any wider, no title, the rebar's own background.
  HRESULT STDMETHODCALLTYPE GetBandInfo(DWORD bandId, DWORD viewMode, DESKBANDINFO* info) override;

  // IObjectWithSite
  HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
  HRESULT STDMETHODCALLTYPE GetSite(REFIID iid, void** site) override;

  // IInputObject
  // Activation puts the focus on the toolbar; the site hears of it.
  HRESULT STDMETHODCALLTYPE UIActivateIO(BOOL activate, MSG* message) override;
  // S_OK while the focus is on the toolbar or one of its controls.
  HRESULT STDMETHODCALLTYPE HasFocusIO() override;
  // Key messages for a focused control of the toolbar are delivered to it
  // (S_OK); Tab, and every key while the focus is elsewhere, stay with the
  // browser (S_FALSE).
  HRESULT STDMETHODCALLTYPE TranslateAcceleratorIO(MSG* message) override;

  // DWebBrowserEvents2
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

  // The tab context, from SetSite(site) to SetSite(nullptr); null otherwise.
  ToolBandContextC* Context() const { return context_.get(); }

 protected:
  ToolBandHookC() = default;
  ~ToolBandHookC() override;

  // The product's tab context for this browser. `hostData` is the site's
  // window, which owns the toolbar and serves as the owner of dialogs.
  virtual std::unique_ptr<ToolBandContextC> CreateContext(platform::ComPtr<IWebBrowser2> browser,
                                                          HostData hostData) = 0;
  // Every browser event, before the framework's own handling of it.
  virtual void OnBrowserEvent(DISPID id, DISPPARAMS* params);

 private:
  HRESULT Attach(IUnknown* site);
  HWND ToolbarWindow() const;
  void ReportFocus(bool hasFocus);
  // Context shut down (once) and sink disconnected.
  void Close();
  // Close, then the context destroyed and the site released.
  void ReleaseSite();

  platform::ComPtr<IUnknown> site_;
  platform::SinkConnection events_;
  std::unique_ptr<ToolBandContextC> context_;
  BandFocusWatch focusWatch_;
  bool contextShutDown_ = false;
  bool firstNavigationSeen_ = false;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace framework
