// Windows of the toolkit stand-in: classes, creation and destruction, the
// parent/child tree, text, rectangles, visibility, enabled state and
// keyboard focus, shaped like the Win32 functions of the same names.
//
// Model: every window belongs to the thread that created it; only that
// thread may destroy it, give it the focus or set timers on it. Windows have
// no non-client area: the client rectangle is the window rectangle moved to
// (0, 0). Child rectangles are kept in the parent's client coordinates.
// Class names compare case-insensitively (ASCII), as in Windows. Every call
// on a destroyed handle fails (0, FALSE or nullptr) with
// ERROR_INVALID_WINDOW_HANDLE.
#pragma once

#include <string>
#include <utility>

#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/ui/Window_linux.h"
#endif

namespace platform::ui {

std::u16string WindowText(HWND hwnd);
// The window that owns the calling thread's caret, null when it has none
// (what GetGUIThreadInfo reports as hwndCaret).
HWND CaretWindow();
bool IsCaretShown();
std::u16string WindowClassName(HWND hwnd);

// The one owner of a window handle: destroys the window when it goes out of
// scope (on the owning thread; a window already destroyed by its parent or
// its own code is simply forgotten).
class UniqueWindow {
 public:
  UniqueWindow() = default;
  explicit UniqueWindow(HWND hwnd) : hwnd_(hwnd) {}
  ~UniqueWindow() { Reset(); }
  UniqueWindow(UniqueWindow&& other) noexcept : hwnd_(other.Release()) {}
  UniqueWindow& operator=(UniqueWindow&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;

  HWND Get() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }
  void Reset(HWND hwnd = nullptr) {
    HWND old = std::exchange(hwnd_, hwnd);
    if (old && IsWindow(old)) DestroyWindow(old);
  }
  [[nodiscard]] HWND Release() { return std::exchange(hwnd_, nullptr); }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace platform::ui
