// The stand-in web browser: what the toolbar and the sidebar see as the
// browser window (and what the sidebar hosts as its web-browser control,
// CLSID_WebBrowser). It loads pages (see PageSource.h) into HTML documents,
// raises DWebBrowserEvents2 to every connected sink in IE's order, shows
// and hides explorer bars created through COM activation, and records what
// it was asked to do so tests can check it.
//
// Navigation is synchronous: Navigate returns after the page and its frames
// have loaded and every event has been delivered. For one navigation the
// sinks see, in this order:
//   BeforeNavigate2 (250; a sink setting Cancel stops the navigation here),
//   DownloadBegin (106), NavigateComplete2 (252),
//   for each frame in document order: BeforeNavigate2, NavigateComplete2
//   and DocumentComplete with the frame's browser as pDisp (frames load
//   depth first),
//   DownloadComplete (104), DocumentComplete (259).
// A sink that starts another navigation from inside an event supersedes the
// one being delivered: the older one raises no further events.
//
// A test holds a page in "loading" with HoldPageLoading(true): navigations
// then stop after NavigateComplete2 with Busy true, ReadyState
// READYSTATE_LOADING and a document without a body, until FinishLoading.
//
// New windows (the flag navOpenInNewWindow, the target "_blank" or a frame
// name no frame carries) are recorded, not opened.
//
// Lives on the browser window's thread.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/ConnectionPoint.h"
#include "platform/browser/BrowserSite.h"
#include "platform/browser/ShellInterfaces.h"
#include "platform/browser/WebBrowser.h"
#include "platform/html/HtmlDocument.h"

namespace platform {

struct NavigationRecord {
  std::u16string url;
  std::optional<LONG> flags;  // nullopt when the argument was absent
  std::u16string targetFrame;
  std::string postData;
  std::u16string headers;
  bool newWindow = false;
  bool cancelled = false;
};

struct BrowserBarRecord {
  CLSID clsid{};
  bool show;
  HRESULT result;
};

class BrowserObject final
    : public DispatchObject<IWebBrowser2, IConnectionPointContainer, IServiceProvider> {
 public:
  // A top-level browser (or a hosted control).
  BrowserObject();
  ~BrowserObject() override;

  // --- IWebBrowser2 ----------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* targetFrameName,
                                     VARIANT* postData, VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrameName,
                                      VARIANT* postData, VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* url) override;
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** document) override;
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* busy) override;
  HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* state) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) override;
  HRESULT STDMETHODCALLTYPE get_HWND(LONG_PTR* window) override;
  HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT* clsid, VARIANT* show, VARIANT* size) override;
  HRESULT STDMETHODCALLTYPE Quit() override;
  HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL value) override;

  // --- IConnectionPointContainer, IServiceProvider ---------------------------------
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override;

  // --- Host and tests ---------------------------------------------------------------
  // The frame window (get_HWND) and the window explorer bars and bands are
  // given as their parent. A hosted control's frame window is its host
  // window, from AttachControlToWindow (ControlHost.h) until that goes.
  void SetFrameWindow(HWND window) { frameWindow_ = window; }
  void SetBandParentWindow(HWND window) { bandParentWindow_ = window; }
  // A site for a band of this browser (the toolbar host sites its band
  // with it, as the browser does).
  ComPtr<BrowserSite> MakeBandSite();

  void HoldPageLoading(bool hold) { holdLoading_ = hold; }
  // Completes a held page (no-op when none is held).
  void FinishLoading();

  const std::vector<NavigationRecord>& Navigations() const { return navigations_; }
  // Why the page now shown could not be loaded (the browser then shows its
  // error page); empty when it loaded.
  const std::string& PageLoadError() const { return pageLoadError_; }
  const std::vector<BrowserBarRecord>& BrowserBarCalls() const { return barCalls_; }
  // The live explorer bar of that class and its site, or null.
  ComPtr<IUnknown> BrowserBar(const CLSID& clsid) const;
  ComPtr<BrowserSite> BrowserBarSite(const CLSID& clsid) const;
  html::HtmlDocument* Document() const { return document_.Get(); }
  std::size_t EventSinkCount() const { return events_.ConnectionCount(); }
  bool HasQuit() const { return quit_; }
  // The last values put through the four control properties.
  struct ControlProperties {
    std::optional<bool> registerAsBrowser, addressBar, menuBar, statusBar;
  };
  const ControlProperties& Properties() const { return properties_; }

 private:
  struct PendingLoad;
  struct Bar {
    CLSID clsid{};
    ComPtr<IUnknown> object;
    ComPtr<BrowserSite> site;
  };

  // A frame's browser: events go to the top browser's sinks.
  BrowserObject(BrowserObject* top, std::shared_ptr<const bool> topAlive, BrowserObject* parent,
                std::shared_ptr<const bool> parentAlive, std::u16string name);

  enum class NavigationOutcome { kLoaded, kHeld, kCancelled, kSuperseded };

  HRESULT NavigateTo(NavigationRecord request);
  // Runs a navigation of this browser: events, load, frames.
  NavigationOutcome RunNavigation(const NavigationRecord& request);
  void CompleteLoad(std::uint64_t generation, const NavigationRecord& request);
  void LoadFrames(std::uint64_t generation);
  BrowserObject* FindFrame(std::u16string_view name);
  // How many frames deep this browser sits (0 for the top one), and how many
  // frame browsers the tree below this one holds.
  int FrameDepth() const;
  std::size_t FrameCount() const;
  void CloseBar(Bar& bar);
  void Fire(DISPID id, std::vector<Variant> argumentsInOrder);
  IDispatch* AsDispatch() { return static_cast<IWebBrowser2*>(this); }
  bool IsTop() const { return top_ == this; }

  BrowserObject* top_;
  std::shared_ptr<bool> alive_;
  std::shared_ptr<const bool> topAlive_;
  BrowserObject* parent_ = nullptr;  // the browser of the page holding this frame
  std::shared_ptr<const bool> parentAlive_;
  std::u16string frameName_;
  ConnectionPoint events_;
  std::u16string location_;
  std::string pageLoadError_;
  ComPtr<html::HtmlDocument> document_;
  std::vector<ComPtr<BrowserObject>> frames_;
  std::uint64_t generation_ = 0;
  bool busy_ = false;
  READYSTATE readyState_ = READYSTATE_UNINITIALIZED;
  bool visible_ = true;
  bool quit_ = false;
  bool holdLoading_ = false;
  std::unique_ptr<PendingLoad> pending_;
  HWND frameWindow_ = nullptr;
  HWND bandParentWindow_ = nullptr;
  std::vector<NavigationRecord> navigations_;
  std::vector<BrowserBarRecord> barCalls_;
  std::vector<Bar> bars_;
  ControlProperties properties_;
};

// A new top-level browser window. Also serves CLSID_WebBrowser to the
// process from then on, so bands can create web-browser controls.
ComPtr<BrowserObject> CreateBrowserWindow();

}  // namespace platform
