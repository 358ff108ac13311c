// Hands work to a browser window's thread from any other thread. The
// session keeps one per tab: a worker that fetched the member's totals, or a
// tab that must change a command in every tab, queues the work here and the
// tab's own thread runs it from its message loop, so no thread ever touches
// another thread's controls and nobody waits for another thread.
//
// Created and closed on its owning thread; `Post` from anywhere. Work handed
// over after Close, or still queued when it closes, is dropped unrun, which
// is what a tab that has gone wants done with it. Shared ownership lets a
// worker hold one past the tab's end; the window itself never outlives Close.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/ui/Window.h"

namespace session {

class ThreadTaskWindow : public std::enable_shared_from_this<ThreadTaskWindow> {
 public:
  // Null when the window cannot be created.
  static std::shared_ptr<ThreadTaskWindow> Create();
  ~ThreadTaskWindow();
  ThreadTaskWindow(const ThreadTaskWindow&) = delete;
  ThreadTaskWindow& operator=(const ThreadTaskWindow&) = delete;

  // False when the window is closed: the task is dropped.
  bool Post(std::function<void()> task);
  // On the owning thread.
  void Close();

  DWORD ThreadId() const { return threadId_; }
  bool IsOnOwnThread() const;

 private:
  ThreadTaskWindow();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void RunQueued();

  const DWORD threadId_;
  HWND hwnd_ = nullptr;
  std::mutex mutex_;
  std::deque<std::function<void()>> queued_;  // guarded by mutex_
  bool closed_ = false;                       // guarded by mutex_
};

}  // namespace session
