#include <algorithm>
#include <utility>

#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

std::vector<HWND> SiblingsLocked(const WindowRecord& record) {
  if (auto parent = FindWindowLocked(record.parent)) return parent->children;
  return TopLevelWindowsLocked();
}

}  // namespace

HWND GetParent(HWND hwnd) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  return record ? record->parent : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(child);
  auto parentRecord = FindWindowLocked(newParent);
  if (!record || (newParent && !parentRecord) || child == newParent ||
      IsDescendantLocked(child, newParent))
    return nullptr;
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
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return (it + 1) < siblings.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV:
      return it != siblings.begin() ? *(it - 1) : nullptr;
    default:
      return nullptr;
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
  const auto wantedClass =
      className && !IsClassAtom(className) ? ClassKey(className) : std::u16string();
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

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(record->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(record->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(record->parent);
    case GWLP_ID:
      return record->id;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(record->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(record->exStyle);
    case GWLP_USERDATA:
      return record->userData;
    default:
      ::SetLastError(ERROR_INVALID_INDEX);
      return 0;
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
    case GWLP_ID:
      old = std::exchange(record->id, value);
      break;
    case GWL_STYLE:
      old = static_cast<LONG_PTR>(std::exchange(record->style, static_cast<DWORD>(value)));
      break;
    case GWL_EXSTYLE:
      old = static_cast<LONG_PTR>(std::exchange(record->exStyle, static_cast<DWORD>(value)));
      break;
    case GWLP_USERDATA:
      old = std::exchange(record->userData, value);
      break;
    default:
      ::SetLastError(ERROR_INVALID_INDEX);
      return 0;
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

namespace platform::ui {

std::u16string WindowClassName(HWND hwnd) {
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  return record ? record->className : std::u16string();
}

}  // namespace platform::ui
