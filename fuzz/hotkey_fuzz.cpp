// A control's hot key is layout text, and a layout can come from a file or
// a stored copy anyone can edit. Whatever the text, the parse names a key
// the keyboard hook can deliver (or none), sets each modifier exactly when
// its name appears, and the key it found reads back the same when written
// out again in the layout's own spelling.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/controls/HotKey.h"
#include "fuzz/FuzzCheck.h"

namespace {

struct KeyName {
  int key;
  std::string_view name;
};

// The layout's spellings of the keys that are not a single character.
constexpr std::array<KeyName, 11> kKeyNames = {{{32, "Space"},
                                                {33, "PageUp"},
                                                {34, "PageDown"},
                                                {35, "End"},
                                                {36, "Home"},
                                                {37, "Left"},
                                                {38, "Up"},
                                                {39, "Right"},
                                                {40, "Down"},
                                                {45, "Insert"},
                                                {46, "Delete"}}};

constexpr int kF1 = 112;
constexpr int kF24 = 135;

// The text a layout author would write for `key`; empty for a key no
// layout text can name.
std::string KeyText(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    return std::string(1, static_cast<char>(key));
  }
  if (key >= kF1 && key <= kF24) return "F" + std::to_string(key - kF1 + 1);
  for (const KeyName& named : kKeyNames) {
    if (named.key == key) return std::string(named.name);
  }
  return {};
}

std::string HotKeyText(const framework::HotKey& hotKey) {
  std::string text;
  if (hotKey.ctrl) text += "Ctrl+";
  if (hotKey.alt) text += "Alt+";
  if (hotKey.shift) text += "Shift+";
  return text + KeyText(hotKey.key);
}

bool Contains(std::string_view text, std::string_view word) {
  return text.find(word) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const framework::HotKey hotKey = framework::ParseHotKey(text);

  FUZZ_CHECK(hotKey.alt == Contains(text, "Alt"));
  FUZZ_CHECK(hotKey.ctrl == Contains(text, "Ctrl"));
  FUZZ_CHECK(hotKey.shift == Contains(text, "Shift"));
  FUZZ_CHECK(hotKey.key == 0 || !KeyText(hotKey.key).empty());

  if (hotKey.key != 0) {
    FUZZ_CHECK(framework::ParseHotKey(HotKeyText(hotKey)) == hotKey);
    // The key is what follows the last '+', so text before it never changes it.
    const std::string prefixed = "Ctrl+Shift+Alt+" + std::string(text);
    FUZZ_CHECK(framework::ParseHotKey(prefixed).key == hotKey.key);
  }
  return 0;
}
