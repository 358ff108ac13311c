#include "platform/ui/Mouse.h"

#include <utility>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

HCURSOR SetCursor(HCURSOR cursor) {
  auto queue = CurrentQueue();
  std::lock_guard lock(Sys().mutex);
  return std::exchange(queue->cursor, cursor);
}

HCURSOR GetCursor() {
  auto queue = CurrentQueue();
  std::lock_guard lock(Sys().mutex);
  return queue->cursor;
}

namespace platform::ui {

bool MoveMouseOver(HWND hwnd, POINT point) {
  if (!IsWindow(hwnd)) return false;
  SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
               MAKELPARAM(HTCLIENT, static_cast<WORD>(WM_MOUSEMOVE)));
  PostMessageW(hwnd, WM_MOUSEMOVE, 0,
               MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
  return true;
}

}  // namespace platform::ui
