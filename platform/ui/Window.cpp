#include "platform/ui/Window.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

constexpr int kUseDefault = static_cast<int>(0x80000000u);

std::u16string_view TextOf(LPCWSTR text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

// Class names given as atoms (MAKEINTRESOURCE) are not supported: the
// product always names its classes.
bool IsAtom(LPCWSTR name) { return reinterpret_cast<ULONG_PTR>(name) < 0x10000; }

std::shared_ptr<WindowRecord> FindOrFail(HWND hwnd) {
  auto record = FindWindowLocked(hwnd);
  if (!record) ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return record;
}

std::vector<HWND> TopLevelWindowsLocked() {
  std::vector<HWND> result;
  for (auto& [key, record] : Sys().windows) {
    if (!record->parent) result.push_back(record->handle);
  }
  std::sort(result.begin(), result.end());
  return result;
}

std::vector<HWND> SiblingsLocked(const WindowRecord& record) {
  if (auto parent = FindWindowLocked(record.parent)) return parent->children;
  return TopLevelWindowsLocked();
}

POINT OriginOnScreenLocked(HWND hwnd) {
  POINT origin;
  for (auto record = FindWindowLocked(hwnd); record; record = FindWindowLocked(record->parent)) {
    origin.x += record->rect.left;
    origin.y += record->rect.top;
  }
  return origin;
}

bool IsDescendantLocked(HWND ancestor, HWND hwnd) {
  for (auto record = FindWindowLocked(hwnd); record; record = FindWindowLocked(record->parent)) {
    if (record->parent == ancestor) return true;
  }
  return false;
}

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

void SendSizeAndMove(HWND hwnd, const RECT& before, const RECT& after) {
  if (before.left != after.left || before.top != after.top) {
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(after.left), static_cast<WORD>(after.top)));
  }
  const LONG width = after.right - after.left;
  const LONG height = after.bottom - after.top;
  if (width != before.right - before.left || height != before.bottom - before.top) {
    SendMessageW(hwnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
  }
}

}  // namespace

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || IsAtom(windowClass->lpszClassName) ||
      !windowClass->lpfnWndProc) {
    ::SetLastError(kErrorInvalidParameter);
    return 0;
  }
  auto& sys = Sys();
  Lock lock(sys.mutex);
  const auto key = ClassKey(windowClass->lpszClassName);
  if (sys.classes.count(key)) {
    ::SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  ClassRecord record;
  record.name = windowClass->lpszClassName;
  record.style = windowClass->style;
  record.proc = windowClass->lpfnWndProc;
  record.background = windowClass->hbrBackground;
  record.cursor = windowClass->hCursor;
  sys.classes.emplace(key, std::move(record));
  return static_cast<ATOM>(0xC000 + sys.classes.size());
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  if (!className || IsAtom(className)) return FALSE;
  auto& sys = Sys();
  Lock lock(sys.mutex);
  if (sys.classes.erase(ClassKey(className)) == 0) {
    ::SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* windowClass) {
  if (!className || IsAtom(className)) return FALSE;
  RegisterBuiltInClasses();
  auto& sys = Sys();
  Lock lock(sys.mutex);
  auto it = sys.classes.find(ClassKey(className));
  if (it == sys.classes.end()) {
    ::SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (windowClass) {
    windowClass->style = it->second.style;
    windowClass->lpfnWndProc = it->second.proc;
    windowClass->hbrBackground = it->second.background;
    windowClass->hCursor = it->second.cursor;
    windowClass->lpszClassName = className;
  }
  return TRUE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, void* param) {
  if (!className || IsAtom(className)) {
    ::SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  RegisterBuiltInClasses();
  auto queue = CurrentQueue();
  auto& sys = Sys();
  if (x == kUseDefault) x = 0;
  if (y == kUseDefault) y = 0;
  if (width == kUseDefault) width = 0;
  if (height == kUseDefault) height = 0;
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
    record->id = (style & WS_CHILD) ? static_cast<LONG_PTR>(reinterpret_cast<ULONG_PTR>(menuOrId)) : 0;
    record->instance = instance;
    record->needsPaint = (style & WS_VISIBLE) != 0;
    sys.windows.emplace(reinterpret_cast<std::uintptr_t>(hwnd), record);
    if (parentRecord) parentRecord->children.insert(parentRecord->children.begin(), hwnd);
  }
  CREATESTRUCTW create;
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
  SendMessageW(hwnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(std::max(width, 0)), static_cast<WORD>(std::max(height, 0))));
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

HWND GetParent(HWND hwnd) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  return record ? record->parent : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(child);
  auto parentRecord = FindWindowLocked(newParent);
  if (!record || (newParent && !parentRecord) || child == newParent || IsDescendantLocked(child, newParent)) return nullptr;
  HWND old = record->parent;
  if (auto oldRecord = FindWindowLocked(old)) std::erase(oldRecord->children, child);
  record->parent = newParent;
  if (parentRecord) parentRecord->children.insert(parentRecord->children.begin(), child);
  return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return nullptr;
  if (flags == GA_PARENT) return record->parent;
  while (auto parent = FindWindowLocked(record->parent)) record = parent;
  return record->handle;
}

HWND GetWindow(HWND hwnd, UINT command) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return nullptr;
  if (command == GW_CHILD) return record->children.empty() ? nullptr : record->children.front();
  const auto siblings = SiblingsLocked(*record);
  auto it = std::find(siblings.begin(), siblings.end(), hwnd);
  switch (command) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return (it + 1) < siblings.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return it != siblings.begin() ? *(it - 1) : nullptr;
    default: return nullptr;
  }
}

BOOL IsChild(HWND parent, HWND hwnd) {
  Lock lock(Sys().mutex);
  return parent && IsDescendantLocked(parent, hwnd);
}

HWND FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName) {
  Lock lock(Sys().mutex);
  std::vector<HWND> candidates;
  if (parent) {
    auto record = FindOrFail(parent);
    if (!record) return nullptr;
    candidates = record->children;
  } else {
    candidates = TopLevelWindowsLocked();
  }
  auto it = candidates.begin();
  if (childAfter) {
    it = std::find(candidates.begin(), candidates.end(), childAfter);
    if (it == candidates.end()) return nullptr;
    ++it;
  }
  const auto wantedClass = className && !IsAtom(className) ? ClassKey(className) : std::u16string();
  for (; it != candidates.end(); ++it) {
    auto record = FindWindowLocked(*it);
    if (!record) continue;
    if (!wantedClass.empty() && ClassKey(record->className) != wantedClass) continue;
    if (windowName && record->text != windowName) continue;
    return record->handle;
  }
  return nullptr;
}

HWND GetDlgItem(HWND parent, int id) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(parent);
  if (!record) return nullptr;
  for (HWND child : record->children) {
    auto childRecord = FindWindowLocked(child);
    if (childRecord && childRecord->id == id) return child;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  return record ? static_cast<int>(record->id) : 0;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int bufferChars) {
  const auto name = platform::ui::WindowClassName(hwnd);
  if (!buffer || bufferChars <= 0 || name.empty()) return 0;
  const auto count = std::min<std::size_t>(name.size(), static_cast<std::size_t>(bufferChars - 1));
  std::copy_n(name.data(), count, buffer);
  buffer[count] = 0;
  return static_cast<int>(count);
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (processId) *processId = record ? 1 : 0;
  return record ? record->threadId : 0;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!IsWindow(hwnd)) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int bufferChars) {
  if (!buffer || bufferChars <= 0) return 0;
  buffer[0] = 0;
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(bufferChars), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) { return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(record->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(record->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(record->parent);
    case GWLP_ID: return record->id;
    case GWL_STYLE: return static_cast<LONG_PTR>(record->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(record->exStyle);
    case GWLP_USERDATA: return record->userData;
    default: ::SetLastError(ERROR_INVALID_INDEX); return 0;
  }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWLP_WNDPROC:
      if (!value) return 0;
      old = reinterpret_cast<LONG_PTR>(record->proc);
      record->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_ID: old = std::exchange(record->id, value); break;
    case GWL_STYLE: old = static_cast<LONG_PTR>(std::exchange(record->style, static_cast<DWORD>(value))); break;
    case GWL_EXSTYLE: old = static_cast<LONG_PTR>(std::exchange(record->exStyle, static_cast<DWORD>(value))); break;
    case GWLP_USERDATA: old = std::exchange(record->userData, value); break;
    default: ::SetLastError(ERROR_INVALID_INDEX); return 0;
  }
  return old;
}

BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE value) {
  if (!name) return FALSE;
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return FALSE;
  record->props[name] = value;
  return TRUE;
}

HANDLE GetPropW(HWND hwnd, LPCWSTR name) {
  if (!name) return nullptr;
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return nullptr;
  auto it = record->props.find(name);
  return it == record->props.end() ? nullptr : it->second;
}

HANDLE RemovePropW(HWND hwnd, LPCWSTR name) {
  if (!name) return nullptr;
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return nullptr;
  auto it = record->props.find(name);
  if (it == record->props.end()) return nullptr;
  HANDLE value = it->second;
  record->props.erase(it);
  return value;
}

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
  *rect = RECT{0, 0, record->rect.right - record->rect.left, record->rect.bottom - record->rect.top};
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  RECT before;
  RECT after;
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
        auto position = std::find(order.begin(), order.end(), insertAfter);
        order.insert(position == order.end() ? order.begin() : position + 1, hwnd);
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

BOOL ClientToScreen(HWND hwnd, POINT* point) { return IsWindow(hwnd) && point ? (MapWindowPoints(hwnd, nullptr, point, 1), TRUE) : FALSE; }
BOOL ScreenToClient(HWND hwnd, POINT* point) { return IsWindow(hwnd) && point ? (MapWindowPoints(nullptr, hwnd, point, 1), TRUE) : FALSE; }

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

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return FALSE;
  record->needsPaint = true;
  if (auto queue = FindQueueLocked(record->threadId)) queue->wake.notify_all();
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT*) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return FALSE;
  record->needsPaint = false;
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  bool paint = false;
  {
    Lock lock(Sys().mutex);
    auto record = FindOrFail(hwnd);
    if (!record) return FALSE;
    paint = record->needsPaint;
  }
  if (paint) SendMessageW(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (create && create->lpszName) {
        Lock lock(Sys().mutex);
        if (auto record = FindWindowLocked(hwnd)) record->text = create->lpszName;
      }
      return TRUE;
    }
    case WM_SETTEXT: {
      Lock lock(Sys().mutex);
      auto record = FindWindowLocked(hwnd);
      if (!record) return FALSE;
      record->text = TextOf(reinterpret_cast<LPCWSTR>(lParam));
      record->needsPaint = true;
      return TRUE;
    }
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      if (!buffer || wParam == 0) return 0;
      Lock lock(Sys().mutex);
      auto record = FindWindowLocked(hwnd);
      if (!record) return 0;
      const auto count = std::min<std::size_t>(record->text.size(), wParam - 1);
      std::copy_n(record->text.data(), count, buffer);
      buffer[count] = 0;
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH: {
      Lock lock(Sys().mutex);
      auto record = FindWindowLocked(hwnd);
      return record ? static_cast<LRESULT>(record->text.size()) : 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT:
      ValidateRect(hwnd, nullptr);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NOTIFYFORMAT:
      return 2;  // NFR_UNICODE
    default:
      return 0;
  }
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  static HCURSOR__* const arrow = reinterpret_cast<HCURSOR__*>(0x60000);
  return !instance && name == IDC_ARROW ? arrow : nullptr;
}

namespace {
thread_local HWND caretOwner = nullptr;
}  // namespace

BOOL CreateCaret(HWND hwnd, void*, int, int) {
  if (!IsWindow(hwnd)) return FALSE;
  caretOwner = hwnd;
  return TRUE;
}

BOOL DestroyCaret() { return std::exchange(caretOwner, nullptr) ? TRUE : FALSE; }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) { return init ? TRUE : FALSE; }

namespace platform::ui {

std::u16string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

std::u16string WindowClassName(HWND hwnd) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  return record ? record->className : std::u16string();
}

}  // namespace platform::ui
