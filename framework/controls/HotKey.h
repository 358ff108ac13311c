// A control's keyboard shortcut, read from the layout's `hotkey` text such
// as "Ctrl+Shift+F5" or "Alt+S", and the test whether a key press is it.
#pragma once

#include <string_view>

namespace framework {

struct HotKey {
  bool alt = false;
  bool ctrl = false;
  bool shift = false;
  // Virtual-key code; 0 when the text named no key.
  int key = 0;

  friend bool operator==(const HotKey&, const HotKey&) = default;
};

// The modifiers are found anywhere in the text ("Alt" also inside a longer
// word, case-sensitive); the key is what follows the last "+", trimmed: one
// digit or capital letter, F1 to F24, or one of the names "Space",
// "PageUp", "PageDown", "End", "Home", "Left", "Up", "Right", "Down",
// "Insert", "Delete". Anything else leaves the key 0 and keeps the flags.
HotKey ParseHotKey(std::string_view text);

}  // namespace framework
