#include <algorithm>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

void SendDestroyTree(HWND hwnd) {
  SendMessageW(hwnd, WM_DESTROY, 0, 0);
  std::vector<HWND> children;
  {
    Lock lock(Sys().mutex);
    if (auto record = FindWindowLocked(hwnd)) children = record->children;
    for (HWND child : children) {
      if (auto childRecord = FindWindowLocked(child)) childRecord->destroying = true;
    }
  }
  for (HWND child : children) SendDestroyTree(child);
}

void FreeWindowLocked(HWND hwnd) {
  auto& sys = Sys();
  auto record = FindWindowLocked(hwnd);
  if (!record) return;
  if (auto parent = FindWindowLocked(record->parent)) std::erase(parent->children, hwnd);
  if (auto queue = FindQueueLocked(record->threadId)) {
    std::erase_if(queue->timers, [&](const TimerRecord& timer) { return timer.hwnd == hwnd; });
    if (queue->focus == hwnd) queue->focus = nullptr;
    if (queue->caret == hwnd) queue->caret = nullptr;
  }
  sys.windows.erase(reinterpret_cast<std::uintptr_t>(hwnd));
}

void SendNcDestroyTree(HWND hwnd) {
  std::vector<HWND> children;
  {
    Lock lock(Sys().mutex);
    if (auto record = FindWindowLocked(hwnd)) children = record->children;
  }
  for (HWND child : children) SendNcDestroyTree(child);
  SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
  std::shared_ptr<ControlState> control;  // released after the lock: its destructor may call back
  Lock lock(Sys().mutex);
  if (auto record = FindWindowLocked(hwnd)) control = std::move(record->control);
  FreeWindowLocked(hwnd);
}

}  // namespace

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     void* param) {
  if (!className || IsClassAtom(className)) {
    ::SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  RegisterBuiltInClasses();
  auto queue = CurrentQueue();
  auto& sys = Sys();
  if (x == CW_USEDEFAULT) x = 0;
  if (y == CW_USEDEFAULT) y = 0;
  if (width == CW_USEDEFAULT) width = 0;
  if (height == CW_USEDEFAULT) height = 0;
  HWND hwnd = nullptr;
  {
    Lock lock(sys.mutex);
    auto cls = sys.classes.find(ClassKey(className));
    if (cls == sys.classes.end()) {
      ::SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    auto parentRecord = FindWindowLocked(parent);
    if (parent && !parentRecord) {
      ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    auto record = std::make_shared<WindowRecord>();
    hwnd = NewHandleLocked();
    record->handle = hwnd;
    record->threadId = queue->threadId;
    record->className = cls->second.name;
    record->proc = cls->second.proc;
    record->style = style;
    record->exStyle = exStyle;
    record->parent = parent;
    record->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    record->id =
        (style & WS_CHILD) ? static_cast<LONG_PTR>(reinterpret_cast<ULONG_PTR>(menuOrId)) : 0;
    record->instance = instance;
    record->needsPaint = (style & WS_VISIBLE) != 0;
    sys.windows.emplace(reinterpret_cast<std::uintptr_t>(hwnd), record);
    if (parentRecord) parentRecord->children.insert(parentRecord->children.begin(), hwnd);
  }
  CREATESTRUCTW create{};
  create.lpCreateParams = param;
  create.hInstance = instance;
  create.hMenu = menuOrId;
  create.hwndParent = parent;
  create.cx = width;
  create.cy = height;
  create.x = x;
  create.y = y;
  create.style = static_cast<LONG>(style);
  create.lpszName = windowName;
  create.lpszClass = className;
  create.dwExStyle = exStyle;
  if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    SendNcDestroyTree(hwnd);
    return nullptr;
  }
  if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;
  SendMessageW(
      hwnd, WM_SIZE, 0,
      MAKELPARAM(static_cast<WORD>(std::max(width, 0)), static_cast<WORD>(std::max(height, 0))));
  SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  if (style & WS_VISIBLE) SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  auto queue = CurrentQueue();
  HWND focusToDrop = nullptr;
  {
    Lock lock(Sys().mutex);
    auto record = FindOrFail(hwnd);
    if (!record) return FALSE;
    if (record->threadId != queue->threadId) {
      ::SetLastError(kErrorAccessDenied);
      return FALSE;
    }
    if (record->destroying) return TRUE;
    record->destroying = true;
    if (queue->focus && (queue->focus == hwnd || IsDescendantLocked(hwnd, queue->focus))) {
      focusToDrop = queue->focus;
      queue->focus = nullptr;
    }
  }
  if (focusToDrop) SendMessageW(focusToDrop, WM_KILLFOCUS, 0, 0);
  SendDestroyTree(hwnd);
  SendNcDestroyTree(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  Lock lock(Sys().mutex);
  return FindWindowLocked(hwnd) != nullptr;
}
