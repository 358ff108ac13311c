// One top-level window of the stand-in browser on a thread of its own, as
// the browser runs its windows: the thread is a COM apartment with a message
// loop, and owns the window's frame, its toolbars and whatever the toolbars
// make. When the window opens, every toolbar that the registry's toolbar
// list names is created through COM activation and sited in the window's
// rebar, as the browser does.
//
// The host drives the window by running work on its thread (Run): the work
// runs inside the thread's message loop, between messages, and Run returns
// what it returned once it is done.
#pragma once

#include <functional>
#include <future>
#include <optional>
#include <vector>

#include "platform/browser/BrowserFrame.h"
#include "platform/com/ComInit.h"
#include "platform/com/Guid.h"
#include "platform/ui/MessageLoopThread.h"

namespace browserhost {

// The registry key whose values name the toolbars every window shows.
inline constexpr char kToolbarListKey[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";

class BrowserWindow {
 public:
  BrowserWindow();
  // Quits the browser (its toolbars close) and ends the thread.
  ~BrowserWindow();
  BrowserWindow(const BrowserWindow&) = delete;
  BrowserWindow& operator=(const BrowserWindow&) = delete;

  using Work = std::function<void(platform::BrowserFrame&)>;

  // Hands `work` to the window's thread; the future is ready once it has
  // run there and the thread's messages have been handled (what it threw is
  // thrown by get()). Several windows' work runs side by side, as it must
  // when their threads wait for each other's workers.
  std::future<void> Post(Work work);
  // Post, then waits for it. False when the thread did not finish it within
  // the bound, which only a hang reaches.
  bool Run(Work work);

  // What creating each listed toolbar answered, in list order.
  const std::vector<HRESULT>& ToolbarResults() const { return toolbarResults_; }

 private:
  void Open();
  void Close();
  // The work on the frame, then the messages it left.
  platform::ui::MessageLoopThread::Work OnFrame(Work work);

  // Live on the window's thread, from Open to Close.
  std::optional<platform::ScopedComInit> apartment_;
  std::optional<platform::BrowserFrame> frame_;
  std::vector<HRESULT> toolbarResults_;
  // Last: its thread uses the members above and ends first.
  platform::ui::MessageLoopThread thread_;
};

}  // namespace browserhost
