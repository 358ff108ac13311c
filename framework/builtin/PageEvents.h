// Find and highlight keep state that belongs to the page on show (a search
// cursor, highlighted spans); when the browser moves on, that state is
// stale. This connection delivers the browser's page events to a command
// for as long as the connection lives.
#pragma once

#include <functional>

#include "platform/automation/Dispatch.h"
#include "platform/com/ComPtr.h"

struct IWebBrowser2;

namespace framework {

class PageEventSink;

// True for DownloadComplete, BeforeNavigate2, NavigateComplete2 and
// DocumentComplete: the events after which the page is not the one a
// command last worked on.
bool IsPageChangeEvent(DISPID id);

class PageEventConnection {
 public:
  using Handler = std::function<void(DISPID)>;

  explicit PageEventConnection(Handler handler);
  ~PageEventConnection();
  PageEventConnection(const PageEventConnection&) = delete;
  PageEventConnection& operator=(const PageEventConnection&) = delete;

  // Connects to the browser's DWebBrowserEvents2 point once; a null browser
  // or a refused connection leaves it unconnected so a later call retries.
  void ConnectTo(IWebBrowser2* browser);
  bool IsConnected() const { return browser_ != nullptr; }

 private:
  platform::ComPtr<PageEventSink> sink_;
  platform::ComPtr<IWebBrowser2> browser_;
  DWORD cookie_ = 0;
};

}  // namespace framework
