// Test support: a window class whose procedure logs every message it gets
// (thread-safely) and lets a test answer chosen messages itself.
#pragma once

#include <algorithm>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace platform::ui::testing {

struct LoggedMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class MessageLog {
 public:
  using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

  void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard lock(mutex_);
    messages_.push_back(LoggedMessage{hwnd, message, wParam, lParam});
  }
  std::vector<LoggedMessage> Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  // The message numbers, optionally only those in `wanted`.
  std::vector<UINT> Ids(const std::vector<UINT>& wanted = {}) const {
    std::vector<UINT> ids;
    for (const auto& m : Messages()) {
      if (wanted.empty() || std::find(wanted.begin(), wanted.end(), m.message) != wanted.end())
        ids.push_back(m.message);
    }
    return ids;
  }
  // WM_COMMAND notification codes (high word of wParam), in order.
  std::vector<WORD> CommandCodes() const {
    std::vector<WORD> codes;
    for (const auto& m : Messages()) {
      if (m.message == WM_COMMAND) codes.push_back(HIWORD(m.wParam));
    }
    return codes;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
  }

  Handler handler;

 private:
  mutable std::mutex mutex_;
  std::vector<LoggedMessage> messages_;
};

inline LRESULT CALLBACK RecordingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* log = reinterpret_cast<MessageLog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (log) {
    log->Record(hwnd, message, wParam, lParam);
    if (log->handler) {
      if (auto result = log->handler(hwnd, message, wParam, lParam)) return *result;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

inline constexpr const char16_t* kRecordingClass = u"VimaruTestRecorder";

inline void EnsureRecordingClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.lpszClassName = kRecordingClass;
    RegisterClassExW(&windowClass);
  });
}

// A recording window; `log` must outlive it.
inline HWND CreateRecordingWindow(MessageLog& log, HWND parent = nullptr, DWORD style = WS_VISIBLE,
                                  int id = 0, RECT rect = RECT{0, 0, 400, 30}) {
  EnsureRecordingClass();
  if (parent) style |= WS_CHILD;
  return CreateWindowExW(0, kRecordingClass, u"", style, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, &log);
}

}  // namespace platform::ui::testing
