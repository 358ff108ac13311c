// The toolbars a browser window shows, as the host reads and uses them. The
// toolbar is the module's: the host finds its toolband from its windows
// (the reflection window below each toolbar names it) and reads the
// controls through their interfaces, which dispatch into the module. What
// a user sees (whether a button is there, enabled or pressed, what a box
// shows and lists) is read from the windows themselves.
//
// Everything here runs on the window's thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/controls/ControlI.h"
#include "framework/toolband/ToolBandC.h"

namespace browserhost {

struct ControlState {
  std::string command;  // the ProgID or built-in name, empty without one
  std::string caption;  // the text it shows, as its command gives it
  bool shown = false;
  bool enabled = false;
  bool checked = false;
  bool isMenu = false;
  std::vector<ControlState> children;  // a menu's items
  bool isSearchBox = false;            // a combo box: then text and items
  std::string text;
  std::vector<std::string> items;
};

// The toolbands built in the windows below `frame`, in window order.
std::vector<framework::ToolBandC*> ToolBandsIn(HWND frame);

std::vector<ControlState> ReadControls(const framework::ToolBandC& toolband);

// The first top-level control whose command is `name` or whose caption,
// trimmed, is `name`; null when none is.
framework::ControlI* FindTopLevelControl(const framework::ToolBandC& toolband,
                                         std::string_view name);

// The item of `menu`'s drop-down, at any depth, whose trimmed caption or
// command is `name`; null when none is.
framework::ControlI* FindMenuItem(framework::ControlI& menu, std::string_view name);

// The search box's field: the edit window of the first combo box, or of the
// first edit field, on the toolbar; null when there is none.
HWND SearchField(const framework::ToolBandC& toolband);

}  // namespace browserhost
