// Naming the controls of a built toolbar the way the tool's options and
// output name them: by the name their command is registered under (for an
// element with an `id` on a built-in command, that id).
#pragma once

#include <string>
#include <string_view>

#include "framework/controls/ControlI.h"
#include "framework/toolband/ToolBandC.h"

namespace tools {

// Plug-in commands that do not derive from CommandC are named by their
// element; a control without a command has the empty name.
std::string CommandName(const framework::ControlI& control);

// The first top-level control whose command has that name, or null.
framework::ControlI* FindControlByCommandName(const framework::ToolBandC& toolband,
                                              std::string_view name);

struct MenuItemControl {
  framework::ControlI* item = nullptr;
  // The top-level menu whose drop-down holds the item, at any depth.
  framework::ControlI* menu = nullptr;
};

// The first item, inside any menu of the toolbar, whose command has that
// name; both null when there is none.
MenuItemControl FindMenuItemByCommandName(const framework::ToolBandC& toolband,
                                          std::string_view name);

}  // namespace tools
