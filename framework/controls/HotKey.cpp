#include "framework/controls/HotKey.h"

#include <array>

#include "framework/layout/LayoutWords.h"

namespace framework {

namespace {

struct NamedKey {
  std::string_view name;
  int key;
};

constexpr std::array<NamedKey, 11> kNamedKeys = {{
    {"Space", 32},
    {"PageUp", 33},
    {"PageDown", 34},
    {"End", 35},
    {"Home", 36},
    {"Left", 37},
    {"Up", 38},
    {"Right", 39},
    {"Down", 40},
    {"Insert", 45},
    {"Delete", 46},
}};

constexpr int kFunctionKeyBase = 111;  // F1 is 112
constexpr int kHighestFunctionKey = 24;

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

int KeyOf(std::string_view keyText) {
  if (keyText.size() == 1) {
    const char c = keyText[0];
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<unsigned char>(c);
    return 0;
  }
  if (keyText.size() > 1 && keyText[0] == 'F') {
    const int number = ReadInteger(keyText.substr(1));
    if (number >= 1 && number <= kHighestFunctionKey) return kFunctionKeyBase + number;
  }
  for (const NamedKey& named : kNamedKeys) {
    if (named.name == keyText) return named.key;
  }
  return 0;
}

}  // namespace

HotKey ParseHotKey(std::string_view text) {
  HotKey hotKey;
  if (text.empty()) return hotKey;
  hotKey.alt = text.find("Alt") != std::string_view::npos;
  hotKey.ctrl = text.find("Ctrl") != std::string_view::npos;
  hotKey.shift = text.find("Shift") != std::string_view::npos;
  const auto lastPlus = text.rfind('+');
  const std::string_view keyText =
      Trim(lastPlus == std::string_view::npos ? text : text.substr(lastPlus + 1));
  hotKey.key = KeyOf(keyText);
  return hotKey;
}

}  // namespace framework
