#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

}  // namespace

HWND SetFocus(HWND hwnd) {
  auto queue = CurrentQueue();
  HWND old = nullptr;
  {
    Lock lock(Sys().mutex);
    if (hwnd) {
      auto record = FindOrFail(hwnd);
      if (!record) return nullptr;
      if (record->threadId != queue->threadId) {
        ::SetLastError(kErrorAccessDenied);
        return nullptr;
      }
    }
    old = FindWindowLocked(queue->focus) ? queue->focus : nullptr;
    if (old == hwnd) return old;
  }
  if (old) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  {
    Lock lock(Sys().mutex);
    if (hwnd && !FindWindowLocked(hwnd)) return old;
    queue->focus = hwnd;
  }
  if (hwnd) SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  return FindWindowLocked(queue->focus) ? queue->focus : nullptr;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  static HCURSOR__* const arrow = reinterpret_cast<HCURSOR__*>(0x60000);
  static HCURSOR__* const wait = reinterpret_cast<HCURSOR__*>(0x60004);
  if (instance) return nullptr;
  if (name == IDC_ARROW) return arrow;
  return name == IDC_WAIT ? wait : nullptr;
}
