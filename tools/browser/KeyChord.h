// Keys as a script names them: a key, optionally after modifiers joined
// with '+' ("Enter", "Down", "Ctrl+Shift+F5", "Alt+S"). Names are taken
// without regard to case.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace browserhost {

struct KeyChord {
  std::vector<int> modifiers;  // VK_CONTROL, VK_SHIFT, VK_MENU, in the order named
  int key = 0;                 // the virtual-key code
};

// nullopt for an unknown name, a modifier named twice or no key at the end.
std::optional<KeyChord> ParseKeyChord(std::string_view text);

}  // namespace browserhost
