// The browser's rebar and the band's site window, for tools that build a
// toolband outside the browser: the toolband's window becomes a child of
// the site window, whose parent is the rebar, as in the browser.
#pragma once

#include "platform/ui/Window.h"

namespace tools {

class StandInRebar {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 60;

  StandInRebar();

  HWND Rebar() const { return rebar_.Get(); }
  // Destroyed with the rebar, its parent.
  HWND BandSite() const { return bandSite_; }

 private:
  platform::ui::UniqueWindow rebar_;
  HWND bandSite_ = nullptr;
};

}  // namespace tools
