// Internal: a combo box's edit field hands its navigation keys to the box,
// as the real edit does when it lives inside a combo box.
#pragma once

#include "platform/ui/WinTypes.h"

namespace platform::ui::detail {

void ComboKeyDown(HWND combo, int virtualKey);

}  // namespace platform::ui::detail

namespace platform::ui::detail {

// The edit field lost the focus to `newFocus`.
void ComboEditFocusLost(HWND combo, HWND newFocus);

}  // namespace platform::ui::detail
