// Watches where the keyboard focus is on a toolband, so the band can tell
// its site (IInputObjectSite::OnFocusChangeIS) as a browser toolbar must:
// the browser routes keys to the band that last reported the focus, which
// is what lets the search box see Backspace, Delete and the arrows.
//
// The focus arrives on the toolbar window itself (UIActivateIO) or on the
// windows of its controls; edit fields and combo boxes tell the toolbar with
// their EN_/CBN_ SETFOCUS and KILLFOCUS notices, which the watch reads on
// their way through the toolbar's window procedure.
//
// Lives on the toolbar's thread.
#pragma once

#include <functional>

#include "platform/ui/WindowMessages.h"

namespace framework {

class BandFocusWatch {
 public:
  using Listener = std::function<void(bool hasFocus)>;

  BandFocusWatch() = default;
  ~BandFocusWatch() { Stop(); }
  BandFocusWatch(const BandFocusWatch&) = delete;
  BandFocusWatch& operator=(const BandFocusWatch&) = delete;

  // Watches `toolbar` (a watch held before is stopped first).
  void Start(HWND toolbar, Listener listener);
  // Harmless when the toolbar is already destroyed.
  void Stop();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
  void Report(bool hasFocus);

  HWND toolbar_ = nullptr;
  Listener listener_;
};

}  // namespace framework
