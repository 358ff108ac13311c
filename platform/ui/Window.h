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

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
// TRUE when a class of that name is registered; fills `windowClass` if given.
BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR className, WNDCLASSEXW* windowClass);

// `menuOrId` is the control id for child windows, as in Windows.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     void* param);
// Sends WM_DESTROY to the window and then to its children (parents first),
// WM_NCDESTROY children first, then frees the handle.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT command);
BOOL IsChild(HWND parent, HWND hwnd);
// Searches the direct children of `parent` (top-level windows when null)
// after `childAfter`; null class or name match anything.
HWND FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName);
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
int GetClassNameW(HWND hwnd, LPWSTR buffer, int bufferChars);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
int GetWindowTextW(HWND hwnd, LPWSTR buffer, int bufferChars);
int GetWindowTextLengthW(HWND hwnd);

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE value);
HANDLE GetPropW(HWND hwnd, LPCWSTR name);
HANDLE RemovePropW(HWND hwnd, LPCWSTR name);

BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);

// Returns whether the window was visible before.
BOOL ShowWindow(HWND hwnd, int command);
// Visible only when the window and all its ancestors have WS_VISIBLE.
BOOL IsWindowVisible(HWND hwnd);
// Returns non-zero when the window was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);

// Focus is per thread. Sends WM_KILLFOCUS to the old focus and WM_SETFOCUS
// to the new one; returns the old focus. Fails for another thread's window.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

// Marks the window for a WM_PAINT (generated when the thread's queue has
// nothing else); BeginPaint, ValidateRect or DefWindowProc validate it.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
// Sends WM_PAINT now when the window needs painting.
BOOL UpdateWindow(HWND hwnd);

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The standard arrow cursor is the only one; cursors are never drawn.
inline LPCWSTR const IDC_ARROW = MAKEINTRESOURCEW(32512);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);

// One caret per thread, as in Windows; it is never drawn, only owned.
// Creating one replaces the thread's caret; the window must be the calling
// thread's. A new caret is hidden: it shows once ShowCaret has been called
// as often as HideCaret (plus once for the creation). Destroying the owner
// window destroys its caret.
BOOL CreateCaret(HWND hwnd, void* bitmap, int width, int height);
// FALSE when the thread has no caret.
BOOL DestroyCaret();
// `hwnd` must own the caret; null means the calling thread's caret.
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);

// The common controls are always available; kept so product code calls it
// where the real one must.
struct INITCOMMONCONTROLSEX {
  DWORD dwSize = sizeof(INITCOMMONCONTROLSEX);
  DWORD dwICC = 0;
};
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

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
