#include <algorithm>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Mouse.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

std::u16string_view TextOf(LPCWSTR text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

// A child lets its parent choose first; over the client area the class
// cursor is the default.
LRESULT DefaultSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  HWND parent = nullptr;
  HCURSOR classCursor = nullptr;
  {
    Lock lock(Sys().mutex);
    auto record = FindWindowLocked(hwnd);
    if (!record) return FALSE;
    if (record->style & WS_CHILD) parent = record->parent;
    auto cls = Sys().classes.find(ClassKey(record->className));
    if (cls != Sys().classes.end()) classCursor = cls->second.cursor;
  }
  if (parent && SendMessageW(parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  if (LOWORD(static_cast<DWORD_PTR>(lParam)) != HTCLIENT || !classCursor) return FALSE;
  SetCursor(classCursor);
  return TRUE;
}

}  // namespace

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
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(bufferChars),
                                       reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
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
    case WM_SETCURSOR:
      return DefaultSetCursor(hwnd, wParam, lParam);
    default:
      return 0;
  }
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

namespace platform::ui {

std::u16string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

}  // namespace platform::ui
