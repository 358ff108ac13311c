#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

}  // namespace

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
  if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXW) || !windowClass->lpszClassName ||
      IsClassAtom(windowClass->lpszClassName) || !windowClass->lpfnWndProc) {
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
  if (!className || IsClassAtom(className)) return FALSE;
  auto& sys = Sys();
  Lock lock(sys.mutex);
  if (sys.classes.erase(ClassKey(className)) == 0) {
    ::SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* windowClass) {
  if (!className || IsClassAtom(className)) return FALSE;
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

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  return init && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}
