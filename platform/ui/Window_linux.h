// The Linux side of platform/ui/Window.h: window classes, windows, their tree, text, geometry,
// focus and caret.
#pragma once

#include <string>
#include <utility>

#include "platform/ui/WindowMessages.h"

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* windowClass);
BOOL WINAPI UnregisterClassW(LPCWSTR className, HINSTANCE instance);
// TRUE when a class of that name is registered; fills `windowClass` if given.
BOOL WINAPI GetClassInfoExW(HINSTANCE instance, LPCWSTR className, WNDCLASSEXW* windowClass);

// `menuOrId` is the control id for child windows, as in Windows.
HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                            HINSTANCE instance, void* param);
// Sends WM_DESTROY to the window and then to its children (parents first),
// WM_NCDESTROY children first, then frees the handle.
BOOL WINAPI DestroyWindow(HWND hwnd);
BOOL WINAPI IsWindow(HWND hwnd);

HWND WINAPI GetParent(HWND hwnd);
HWND WINAPI SetParent(HWND child, HWND newParent);
HWND WINAPI GetAncestor(HWND hwnd, UINT flags);
HWND WINAPI GetWindow(HWND hwnd, UINT command);
BOOL WINAPI IsChild(HWND parent, HWND hwnd);
// Searches the direct children of `parent` (top-level windows when null)
// after `childAfter`; null class or name match anything.
HWND WINAPI FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName);
HWND WINAPI GetDlgItem(HWND parent, int id);
int WINAPI GetDlgCtrlID(HWND hwnd);
int WINAPI GetClassNameW(HWND hwnd, LPWSTR buffer, int bufferChars);
DWORD WINAPI GetWindowThreadProcessId(HWND hwnd, DWORD* processId);

BOOL WINAPI SetWindowTextW(HWND hwnd, LPCWSTR text);
int WINAPI GetWindowTextW(HWND hwnd, LPWSTR buffer, int bufferChars);
int WINAPI GetWindowTextLengthW(HWND hwnd);

LONG_PTR WINAPI GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR WINAPI SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
BOOL WINAPI SetPropW(HWND hwnd, LPCWSTR name, HANDLE value);
HANDLE WINAPI GetPropW(HWND hwnd, LPCWSTR name);
HANDLE WINAPI RemovePropW(HWND hwnd, LPCWSTR name);

BOOL WINAPI GetWindowRect(HWND hwnd, RECT* rect);
BOOL WINAPI GetClientRect(HWND hwnd, RECT* rect);
BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// HWND_TOP and HWND_BOTTOM place the window first or last among its siblings.
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags);
int WINAPI MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL WINAPI ClientToScreen(HWND hwnd, POINT* point);
BOOL WINAPI ScreenToClient(HWND hwnd, POINT* point);

// Returns whether the window was visible before.
BOOL WINAPI ShowWindow(HWND hwnd, int command);
// Visible only when the window and all its ancestors have WS_VISIBLE.
BOOL WINAPI IsWindowVisible(HWND hwnd);
// Returns non-zero when the window was disabled before.
BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable);
BOOL WINAPI IsWindowEnabled(HWND hwnd);

// Focus is per thread. Sends WM_KILLFOCUS to the old focus and WM_SETFOCUS
// to the new one; returns the old focus. Fails for another thread's window.
HWND WINAPI SetFocus(HWND hwnd);
HWND WINAPI GetFocus();

// Marks the window for a WM_PAINT (generated when the thread's queue has
// nothing else); BeginPaint, ValidateRect or DefWindowProc validate it.
BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect);
// Sends WM_PAINT now when the window needs painting.
BOOL WINAPI UpdateWindow(HWND hwnd);

LRESULT WINAPI DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The standard arrow and wait cursors; cursors are never drawn.
inline LPCWSTR const IDC_ARROW = MAKEINTRESOURCEW(32512);
inline LPCWSTR const IDC_WAIT = MAKEINTRESOURCEW(32514);
HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name);

// One caret per thread, as in Windows; it is never drawn, only owned.
// Creating one replaces the thread's caret; the window must be the calling
// thread's. A new caret is hidden: it shows once ShowCaret has been called
// as often as HideCaret (plus once for the creation). Destroying the owner
// window destroys its caret.
BOOL WINAPI CreateCaret(HWND hwnd, void* bitmap, int width, int height);
// FALSE when the thread has no caret.
BOOL WINAPI DestroyCaret();
// `hwnd` must own the caret; null means the calling thread's caret.
BOOL WINAPI ShowCaret(HWND hwnd);
BOOL WINAPI HideCaret(HWND hwnd);

constexpr DWORD ICC_BAR_CLASSES = 0x00000004;   // toolbar, status bar, trackbar, tooltips
constexpr DWORD ICC_COOL_CLASSES = 0x00000400;  // rebar
// The common controls are always available; kept so product code calls it
// where the real one must. Fails, as the real one does, unless dwSize is set.
struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
