// A hidden child window of the toolbar that the toolbar reports to: its
// button clicks (WM_COMMAND), drop-down arrows and tooltip questions
// (WM_NOTIFY) come here and go on to the control that owns the id. The
// host's window, the toolbar's real parent, never sees them.
#pragma once

#include "platform/ui/Window.h"

namespace framework {

class ToolBandC;

class ToolBandReflectionC {
 public:
  static constexpr const char16_t* kClassName = u"OrvaneReflectionWindow";
  static constexpr int kControlId = 8;

  explicit ToolBandReflectionC(ToolBandC& toolband) : toolband_(toolband) {}

  // Covers the toolbar's client rectangle; the toolbar reports to it.
  bool Create(HWND toolbar);
  HWND Window() const { return window_.Get(); }

  // The toolband behind a reflection window, or null for any other window.
  // The window keeps its object's address as its user data, so whatever
  // runs on the toolbar's thread in the same process (the window's own
  // procedure, a host that inspects the toolbar its module built) finds the
  // toolband from its windows alone.
  static ToolBandC* ToolBandOf(HWND window);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  ToolBandC& toolband_;
  platform::ui::UniqueWindow window_;
};

}  // namespace framework
