#include "tools/browser/KeyChord.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "platform/text/CodePage.h"
#include "platform/ui/Keyboard.h"

namespace browserhost {
namespace {

struct NamedKey {
  std::string_view name;  // lower case
  int key;
};

constexpr std::array kModifiers{
    NamedKey{"ctrl", VK_CONTROL},
    NamedKey{"control", VK_CONTROL},
    NamedKey{"shift", VK_SHIFT},
    NamedKey{"alt", VK_MENU},
};

constexpr std::array kNamedKeys{
    NamedKey{"enter", VK_RETURN},   NamedKey{"return", VK_RETURN}, NamedKey{"tab", VK_TAB},
    NamedKey{"escape", VK_ESCAPE},  NamedKey{"esc", VK_ESCAPE},    NamedKey{"space", VK_SPACE},
    NamedKey{"backspace", VK_BACK}, NamedKey{"delete", VK_DELETE}, NamedKey{"insert", VK_INSERT},
    NamedKey{"home", VK_HOME},      NamedKey{"end", VK_END},       NamedKey{"pageup", VK_PRIOR},
    NamedKey{"pagedown", VK_NEXT},  NamedKey{"left", VK_LEFT},     NamedKey{"right", VK_RIGHT},
    NamedKey{"up", VK_UP},          NamedKey{"down", VK_DOWN},
};

std::optional<int> Lookup(std::string_view lower, const auto& table) {
  for (const NamedKey& named : table) {
    if (named.name == lower) return named.key;
  }
  return std::nullopt;
}

std::optional<int> KeyNamed(std::string_view lower) {
  if (std::optional<int> key = Lookup(lower, kNamedKeys)) return key;
  // A letter or digit is its own virtual-key code ('A' for a).
  if (lower.size() == 1 &&
      ((lower[0] >= 'a' && lower[0] <= 'z') || (lower[0] >= '0' && lower[0] <= '9'))) {
    return lower[0] >= 'a' ? lower[0] - 'a' + 'A' : lower[0];
  }
  if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == 'f') {
    int number = 0;
    for (char digit : lower.substr(1)) {
      if (digit < '0' || digit > '9') return std::nullopt;
      number = number * 10 + (digit - '0');
    }
    if (number >= 1 && number <= 24) return VK_F1 + number - 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyChord> ParseKeyChord(std::string_view text) {
  KeyChord chord;
  while (true) {
    const std::size_t plus = text.find('+', 1);
    const std::string lower = platform::AnsiToLower(text.substr(0, plus));
    if (plus == std::string_view::npos) {
      const std::optional<int> key = KeyNamed(lower);
      if (!key) return std::nullopt;
      chord.key = *key;
      return chord;
    }
    const std::optional<int> modifier = Lookup(lower, kModifiers);
    if (!modifier || std::find(chord.modifiers.begin(), chord.modifiers.end(), *modifier) !=
                         chord.modifiers.end()) {
      return std::nullopt;
    }
    chord.modifiers.push_back(*modifier);
    text.remove_prefix(plus + 1);
  }
}

}  // namespace browserhost
