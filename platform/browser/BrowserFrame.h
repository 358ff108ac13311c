// The chrome of a browser window around a BrowserObject, laid out as the
// browser lays out its own: a top-level window of class "IEFrame" holding
// a rebar ("ReBarWindow32") for the toolbars and the page's window of class
// "Internet Explorer_Server". The browser reports the frame as its window
// (get_HWND) and gives bands a window below the rebar as their parent.
//
// Toolbars are hosted the way the browser hosts the ones its toolbar list
// names: the band gets a site (IObjectWithSite::SetSite), hands over its
// window and band info (IDeskBand), gets a rebar band of its own that
// carries its class id text, and is shown (ShowDW). Quitting lets the
// browser's OnQuit reach its sinks first, then closes every band (CloseDW,
// then SetSite(nullptr)) and detaches its site, which breaks the
// browser-site-band cycle.
//
//   platform::BrowserFrame frame;
//   frame.AddToolbar(CLSID_MyToolbar);        // through COM activation
//   frame.Browser().Navigate(...);
//   frame.Quit();                             // also done by the destructor
//
// Lives on the thread that created it; its windows belong to that thread.
#pragma once

#include <vector>

#include "platform/browser/BrowserObject.h"
#include "platform/browser/BrowserSite.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/Window.h"

namespace platform {

class BrowserFrame {
 public:
  BrowserFrame();
  ~BrowserFrame();
  BrowserFrame(const BrowserFrame&) = delete;
  BrowserFrame& operator=(const BrowserFrame&) = delete;

  BrowserObject& Browser();
  HWND FrameWindow() const;
  HWND Rebar() const;
  HWND PageWindow() const;

  // Creates the band through COM activation and hosts it.
  HRESULT AddToolbar(const CLSID& clsid);
  // Hosts `band`, which must implement IObjectWithSite and IDeskBand and
  // hand over a window once sited. On failure the band is unsited again
  // and nothing of it stays in the rebar. E_FAIL after Quit.
  HRESULT AddToolbar(IUnknown* band, const CLSID& clsid);
  // OnQuit to the browser's sinks, then every band closed and unsited.
  // Later calls do nothing.
  void Quit();

 private:
  struct HostedBand {
    CLSID clsid{};
    ComPtr<IUnknown> object;
    ComPtr<BrowserSite> site;
    DWORD bandId;  // the rebar band's id
  };

  void CloseBand(HostedBand& band);

  ComPtr<BrowserObject> browser_;
  ui::UniqueWindow frame_;
  // Children of the frame: destroyed with it.
  HWND rebar_ = nullptr;
  HWND bandParent_ = nullptr;
  HWND page_ = nullptr;
  std::vector<HostedBand> bands_;
  bool quit_ = false;
};

}  // namespace platform
