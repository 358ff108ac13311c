// The toolband's hold on the host's rebar: its own procedure stands in
// front of the rebar's so the band lays itself out again when the rebar
// changes size. The rebar class's own procedure, learned from a throw-away
// rebar window, is what it calls on to and what it puts back.
#pragma once

#include "platform/ui/WindowMessages.h"

namespace framework {

class ToolBandC;

class RebarHook {
 public:
  RebarHook() = default;
  ~RebarHook() { Release(); }
  RebarHook(const RebarHook&) = delete;
  RebarHook& operator=(const RebarHook&) = delete;

  // Hooks `rebar` for `toolband`; false when `rebar` is not a rebar.
  bool Install(HWND rebar, ToolBandC* toolband);
  void Release();
  HWND Rebar() const { return rebar_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND rebar_ = nullptr;
  WNDPROC rebarProc_ = nullptr;
};

}  // namespace framework
