// A C++ object behind a window, the way the product's window classes are
// written (the toolband, the reflection window, the sidebar window, the
// combo box that takes over its edit field): derive, handle messages in
// ProcessWindowMessage, and leave the rest to DefaultProc.
//
// Create registers the class on first use with a procedure that routes to
// the object; SubclassWindow takes over a window someone else created (the
// host's rebar, a combo box's edit child) until UnsubclassWindow or its
// destruction. The object lives on the window's thread. Destroying the object
// first detaches it, then destroys a window it created, so no message ever
// reaches a half-destroyed object.
#pragma once

#include "platform/ui/WindowMessages.h"

namespace platform::ui {

class WindowImpl {
 public:
  WindowImpl() = default;
  virtual ~WindowImpl();
  WindowImpl(const WindowImpl&) = delete;
  WindowImpl& operator=(const WindowImpl&) = delete;

  // Fails when a class of that name exists with another procedure.
  HWND Create(LPCWSTR className, HWND parent, const RECT& rect, LPCWSTR text, DWORD style,
              DWORD exStyle = 0, UINT id = 0, UINT classStyle = 0, HBRUSH background = nullptr);
  bool SubclassWindow(HWND hwnd);
  // Gives a subclassed window its previous procedure back; returns it.
  HWND UnsubclassWindow();
  HWND Handle() const { return hwnd_; }

 protected:
  // True when the message was handled; `result` is then its answer.
  virtual bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) = 0;
  // The window's default handling: DefWindowProcW for a created window, the
  // previous procedure for a subclassed one.
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  // After WM_NCDESTROY, when the object no longer has a window.
  virtual void OnFinalMessage(HWND) {}

 private:
  static LRESULT CALLBACK StartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR refData);
  LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Detach();

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;
};

}  // namespace platform::ui
