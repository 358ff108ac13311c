// Listens to a browser as a toolbar does (DWebBrowserEvents2 through its
// connection point) and keeps every event in order: its dispatch id and
// name, the address it carries, and whether it is about a frame's browser
// rather than the top one.
//
// Lives on the browser window's thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Dispatch.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"

namespace tools {

struct BrowserEvent {
  DISPID id;
  std::u16string url;  // empty for events without one
  bool frame;
};

// "BeforeNavigate2", "DocumentComplete", ...; "DISPID <n>" for ids without a name here.
std::string BrowserEventName(DISPID id);

class BrowserEventSink;

class BrowserEventLog {
 public:
  explicit BrowserEventLog(platform::ComPtr<IWebBrowser2> browser);
  ~BrowserEventLog();
  BrowserEventLog(const BrowserEventLog&) = delete;
  BrowserEventLog& operator=(const BrowserEventLog&) = delete;

  bool IsConnected() const { return connected_; }
  const std::vector<BrowserEvent>& Events() const { return events_; }

 private:
  std::vector<BrowserEvent> events_;
  platform::ComPtr<IWebBrowser2> browser_;
  platform::ComPtr<BrowserEventSink> sink_;
  DWORD cookie_ = 0;
  bool connected_ = false;
};

}  // namespace tools
