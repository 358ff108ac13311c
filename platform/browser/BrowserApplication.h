// The browser application as COM starts it for a client in another process
// (iexplore.exe as the local server of CLSID_InternetExplorer). While a
// ScopedBrowserApplication lives, CoCreateInstance(CLSID_InternetExplorer,
// nullptr, CLSCTX_LOCAL_SERVER, IID_IWebBrowser2, ...) makes a new top-level
// browser window (CreateBrowserWindow) and hands out its IWebBrowser2, as
// Windows starts a new browser process for it; without one, creation fails
// with REGDB_E_CLASSNOTREG as on a machine without the browser. The scope
// keeps every browser it made so a test can see what each was asked.
//
// Create and destroy it on one COM thread; the browsers live on it.
#pragma once

#include <mutex>
#include <vector>

#include "platform/browser/BrowserObject.h"

namespace platform {

class ScopedBrowserApplication {
 public:
  ScopedBrowserApplication();
  ~ScopedBrowserApplication();
  ScopedBrowserApplication(const ScopedBrowserApplication&) = delete;
  ScopedBrowserApplication& operator=(const ScopedBrowserApplication&) = delete;

  std::vector<ComPtr<BrowserObject>> Browsers() const;

 private:
  class Factory;
  ComPtr<Factory> factory_;
  DWORD cookie_ = 0;
};

}  // namespace platform
