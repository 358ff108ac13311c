// Plays the user on a built toolbar: typing a text into a field and
// committing it with Enter, and clicking a control. Everything goes through
// the windows and the message loop, so the controls react as they do to a
// person: the field's own change and Enter handling, the toolbar's click
// notification, the toolband's dispatch to the control.
#pragma once

#include <string_view>

#include "framework/controls/ControlI.h"
#include "framework/toolband/ToolBandC.h"
#include "tools/inspect/ControlNames.h"

namespace tools {

// Focuses the control's field, selects what it shows, types `text` over it
// and presses Enter. False when the control has no field to type in (only
// edit fields and editable combo boxes have one).
bool TypeAndCommit(framework::ControlI& control, std::u16string_view text);

// Clicks the control's button on the toolbar. A control that shows a
// window of its own over its button is executed directly, as its window
// would on a click. False when nothing reached the control (a hidden or
// disabled button).
bool Click(const framework::ToolBandC& toolband, framework::ControlI& control);

// Opens the drop-down of the item's menu and chooses the item, as the user
// would. False when the menu's button did not take the click.
bool ChooseMenuItem(const framework::ToolBandC& toolband, const MenuItemControl& choice);

}  // namespace tools
