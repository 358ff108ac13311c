// The browser event sink a command embeds when it reacts to page events
// (find and highlight drop their state when the page changes). It is wired
// to the browser once, on the command's first text notice; the events it
// will relay arrive with the browser's connection points.
#pragma once

#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"

namespace framework {

class WebBrowserEventsC {
 public:
  bool IsConnected() const { return browser_ != nullptr; }
  // Keeps the browser as the source of events; a null browser leaves the
  // sink unconnected, so a later notice tries again.
  void Connect(platform::ComPtr<IWebBrowser2> browser) { browser_ = std::move(browser); }

 private:
  platform::ComPtr<IWebBrowser2> browser_;
};

}  // namespace framework
