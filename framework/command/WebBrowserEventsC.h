// The browser event sink a command embeds when it reacts to page events
// (find and highlight drop their state when the page changes). It subscribes
// to the browser's DWebBrowserEvents2 once and hands the id of every event
// to the handler it was made with, until it is destroyed.
//
// The COM object the browser holds is a separate, counted object: the
// browser may keep its reference a little longer than the connection (a call
// in flight, a source that releases late), and an event reaching it then
// must not reach a command that is gone. So the sink is detached from the
// handler before the connection is dropped.
//
// Lives on the browser window's thread, like the command that embeds it.
#pragma once

#include <functional>

#include "platform/automation/Dispatch.h"
#include "platform/automation/SinkConnection.h"
#include "platform/com/ComPtr.h"

struct IWebBrowser2;

namespace framework {

class WebBrowserEventsC {
 public:
  using Handler = std::function<void(DISPID)>;

  explicit WebBrowserEventsC(Handler handler);
  ~WebBrowserEventsC();
  WebBrowserEventsC(const WebBrowserEventsC&) = delete;
  WebBrowserEventsC& operator=(const WebBrowserEventsC&) = delete;

  // Subscribes to the browser's events unless already connected. A null
  // browser or one that refuses the connection leaves the sink unconnected,
  // so a later call tries again.
  void Connect(IWebBrowser2* browser);
  bool IsConnected() const { return connection_.IsConnected(); }

 private:
  class Sink;

  platform::ComPtr<Sink> sink_;
  platform::SinkConnection connection_;
};

// True for DownloadComplete, BeforeNavigate2, NavigateComplete2 and
// DocumentComplete: after any of them the page is not the one a command
// last worked on.
bool IsPageChangeEvent(DISPID id);

}  // namespace framework
