#include "platform/ui/WindowImpl.h"

#include <utility>

#include "platform/ui/Subclass.h"
#include "platform/ui/Window.h"

namespace platform::ui {
namespace {

constexpr const WCHAR* kObjectProp = u"platform.ui.WindowImpl";

// The object whose Create is running on this thread: WM_NCCREATE arrives
// before CreateWindowExW returns the handle.
thread_local WindowImpl* creating = nullptr;

}  // namespace

WindowImpl::~WindowImpl() {
  HWND hwnd = hwnd_;
  const bool subclassed = subclassed_;
  Detach();
  if (hwnd && !subclassed && IsWindow(hwnd)) DestroyWindow(hwnd);
}

HWND WindowImpl::Create(LPCWSTR className, HWND parent, const RECT& rect, LPCWSTR text, DWORD style,
                        DWORD exStyle, UINT id, UINT classStyle, HBRUSH background) {
  if (hwnd_) return nullptr;
  WNDCLASSEXW existing{};
  if (GetClassInfoExW(nullptr, className, &existing)) {
    if (existing.lpfnWndProc != &WindowImpl::StartProc) return nullptr;
  } else {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = &WindowImpl::StartProc;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass)) return nullptr;
  }
  creating = this;
  HWND hwnd = CreateWindowExW(exStyle, className, text, style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  creating = nullptr;
  return hwnd;
}

bool WindowImpl::SubclassWindow(HWND hwnd) {
  if (hwnd_ || !SetWindowSubclass(hwnd, &WindowImpl::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                                  reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  hwnd_ = hwnd;
  subclassed_ = true;
  return true;
}

HWND WindowImpl::UnsubclassWindow() {
  if (!subclassed_) return nullptr;
  HWND hwnd = hwnd_;
  Detach();
  return hwnd;
}

LRESULT WindowImpl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return subclassed_ ? DefSubclassProc(hwnd_, message, wParam, lParam)
                     : DefWindowProcW(hwnd_, message, wParam, lParam);
}

void WindowImpl::Detach() {
  if (!hwnd_) return;
  if (subclassed_) {
    RemoveWindowSubclass(hwnd_, &WindowImpl::SubclassProc, reinterpret_cast<UINT_PTR>(this));
  } else {
    RemovePropW(hwnd_, kObjectProp);
  }
  hwnd_ = nullptr;
  subclassed_ = false;
}

LRESULT WindowImpl::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!ProcessWindowMessage(hwnd, message, wParam, lParam, result))
    result = DefaultProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    Detach();
    OnFinalMessage(hwnd);
  }
  return result;
}

LRESULT WindowImpl::StartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* object = static_cast<WindowImpl*>(GetPropW(hwnd, kObjectProp));
  if (!object && creating) {
    object = std::exchange(creating, nullptr);
    object->hwnd_ = hwnd;
    SetPropW(hwnd, kObjectProp, object);
  }
  return object ? object->Route(hwnd, message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT WindowImpl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR refData) {
  return reinterpret_cast<WindowImpl*>(refData)->Route(hwnd, message, wParam, lParam);
}

}  // namespace platform::ui
