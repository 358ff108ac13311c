#include <algorithm>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

void SendSizeAndMove(HWND hwnd, const RECT& before, const RECT& after) {
  if (before.left != after.left || before.top != after.top) {
    SendMessageW(hwnd, WM_MOVE, 0,
                 MAKELPARAM(static_cast<WORD>(after.left), static_cast<WORD>(after.top)));
  }
  const LONG width = after.right - after.left;
  const LONG height = after.bottom - after.top;
  if (width != before.right - before.left || height != before.bottom - before.top) {
    SendMessageW(hwnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
  }
}

}  // namespace

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record || !rect) return FALSE;
  const POINT parentOrigin = OriginOnScreenLocked(record->parent);
  *rect = record->rect;
  rect->left += parentOrigin.x;
  rect->right += parentOrigin.x;
  rect->top += parentOrigin.y;
  rect->bottom += parentOrigin.y;
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record || !rect) return FALSE;
  *rect =
      RECT{0, 0, record->rect.right - record->rect.left, record->rect.bottom - record->rect.top};
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  RECT before{};
  RECT after{};
  {
    Lock lock(Sys().mutex);
    auto record = FindOrFail(hwnd);
    if (!record) return FALSE;
    before = record->rect;
    after = before;
    if (!(flags & SWP_NOMOVE)) {
      after.right = x + (after.right - after.left);
      after.bottom = y + (after.bottom - after.top);
      after.left = x;
      after.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
      after.right = after.left + std::max(width, 0);
      after.bottom = after.top + std::max(height, 0);
    }
    record->rect = after;
    if (!(flags & SWP_NOREDRAW) && !(before == after)) record->needsPaint = true;
    if (!(flags & SWP_NOZORDER)) {
      if (auto parent = FindWindowLocked(record->parent)) {
        auto& order = parent->children;
        std::erase(order, hwnd);
        if (insertAfter == HWND_BOTTOM) {
          order.push_back(hwnd);
        } else {
          auto position = std::find(order.begin(), order.end(), insertAfter);
          order.insert(position == order.end() ? order.begin() : position + 1, hwnd);
        }
      }
    }
  }
  SendSizeAndMove(hwnd, before, after);
  if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNA);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  Lock lock(Sys().mutex);
  if ((from && !FindOrFail(from)) || (to && !FindOrFail(to))) return 0;
  const POINT fromOrigin = OriginOnScreenLocked(from);
  const POINT toOrigin = OriginOnScreenLocked(to);
  const LONG dx = fromOrigin.x - toOrigin.x;
  const LONG dy = fromOrigin.y - toOrigin.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(MAKELPARAM(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  return IsWindow(hwnd) && point ? (MapWindowPoints(hwnd, nullptr, point, 1), TRUE) : FALSE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  return IsWindow(hwnd) && point ? (MapWindowPoints(nullptr, hwnd, point, 1), TRUE) : FALSE;
}

BOOL ShowWindow(HWND hwnd, int command) {
  const bool show = command != SW_HIDE;
  bool wasVisible = false;
  {
    Lock lock(Sys().mutex);
    auto record = FindOrFail(hwnd);
    if (!record) return FALSE;
    wasVisible = (record->style & WS_VISIBLE) != 0;
    if (wasVisible == show) return wasVisible;
    record->style = show ? (record->style | WS_VISIBLE) : (record->style & ~WS_VISIBLE);
    record->needsPaint = show;
  }
  SendMessageW(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return FALSE;
  for (; record; record = FindWindowLocked(record->parent)) {
    if (!(record->style & WS_VISIBLE)) return FALSE;
  }
  return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  bool wasDisabled = false;
  {
    Lock lock(Sys().mutex);
    auto record = FindOrFail(hwnd);
    if (!record) return FALSE;
    wasDisabled = (record->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    record->style = enable ? (record->style & ~WS_DISABLED) : (record->style | WS_DISABLED);
    record->needsPaint = true;
  }
  SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  return record && !(record->style & WS_DISABLED);
}
