// A thread of its own that runs a message loop, as a browser runs each of
// its windows, for the hosts and tests that play a browser: they hand it
// work, which runs between the thread's messages, and wait for it.
//
//   platform::ui::MessageLoopThread window(
//       [&] { /* on the thread, before its loop: make its windows */ },
//       [&] { /* on the thread, after its loop: close them */ });
//   window.Run([&] { /* on the thread */ });
//
// The destructor posts WM_QUIT, so work posted before it still runs, and
// joins the thread.
#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "platform/ui/WinTypes.h"

namespace platform::ui {

class MessageLoopThread {
 public:
  using Work = std::function<void()>;

  // Returns once `setUp` has run on the new thread and its queue exists.
  explicit MessageLoopThread(Work setUp = {}, Work tearDown = {});
  ~MessageLoopThread();
  MessageLoopThread(const MessageLoopThread&) = delete;
  MessageLoopThread& operator=(const MessageLoopThread&) = delete;

  // Hands `work` to the thread; the future is ready once it has run there
  // (what it threw is thrown by get()).
  std::future<void> Post(Work work);
  // Post, then waits for it. False when the thread did not finish it within
  // `limit` of real time, which only a hang reaches; what it threw is thrown
  // here.
  bool Run(Work work, std::chrono::milliseconds limit);

  DWORD ThreadId() const { return threadId_; }

 private:
  void Loop(const Work& setUp, const Work& tearDown, std::promise<DWORD>& started);

  std::thread thread_;
  DWORD threadId_ = 0;
};

}  // namespace platform::ui
