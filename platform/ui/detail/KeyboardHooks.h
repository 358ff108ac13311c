// Internal seam between the message loop and the keyboard facility.
#pragma once

#include "platform/ui/WinTypes.h"

namespace platform::ui::detail {

// Offers a key message the loop is retrieving to the calling thread's
// WH_KEYBOARD chain; true when a hook swallowed it (returned non-zero).
bool CallKeyboardHooks(int code, WPARAM virtualKey, LPARAM flags);

// The character TranslateMessage makes of a key-down, or 0 for none.
WCHAR CharacterForKey(int virtualKey);

}  // namespace platform::ui::detail
