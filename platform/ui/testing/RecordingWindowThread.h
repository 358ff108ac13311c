// A thread that owns one recording window and runs a GetMessage loop
// (translating and dispatching) until it is stopped: the other side of the
// tests of cross-thread sends, posts and time-outs. The log's handler runs on
// that thread; `log` must outlive the object.
#pragma once

#include <chrono>
#include <future>
#include <thread>
#include <tuple>
#include <utility>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui::testing {

class RecordingWindowThread {
 public:
  explicit RecordingWindowThread(MessageLog& log, DWORD style = WS_VISIBLE) {
    std::promise<std::pair<HWND, DWORD>> ready;
    auto started = ready.get_future();
    thread_ = std::thread([&log, &ready, style] {
      HWND hwnd = CreateRecordingWindow(log, nullptr, style);
      ready.set_value({hwnd, GetCurrentThreadId()});
      MSG msg{};
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (IsWindow(hwnd)) DestroyWindow(hwnd);
    });
    // Only a hang reaches this bound.
    if (started.wait_for(std::chrono::seconds(30)) == std::future_status::ready) {
      std::tie(hwnd_, threadId_) = started.get();
    }
  }
  ~RecordingWindowThread() { Stop(); }
  RecordingWindowThread(const RecordingWindowThread&) = delete;
  RecordingWindowThread& operator=(const RecordingWindowThread&) = delete;

  void Stop() {
    if (!thread_.joinable()) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND hwnd() const { return hwnd_; }
  DWORD threadId() const { return threadId_; }

 private:
  std::thread thread_;
  HWND hwnd_ = nullptr;
  DWORD threadId_ = 0;
};

}  // namespace platform::ui::testing
