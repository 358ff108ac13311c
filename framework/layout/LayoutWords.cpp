#include "framework/layout/LayoutWords.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

#include "framework/controls/ControlKind.h"
#include "framework/controls/ControlStyle.h"

namespace framework {

namespace {

// Table order is the kind numbering; the empty entry ends the walk.
constexpr std::array<std::string_view, 8> kElementNames = {
    "separator", "label", "button", "edit", "read-only", "combo-box", "menu", ""};

bool IsYes(const platform::XmlElement& element, std::string_view attribute) {
  return element.Attribute(attribute) == "yes";
}

bool IsAllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

int ElementKindOf(std::string_view elementName) {
  for (std::size_t kind = 0; !kElementNames[kind].empty(); ++kind) {
    if (kElementNames[kind] == elementName) return static_cast<int>(kind);
  }
  return -1;
}

std::string_view ElementNameOfKind(int kind) {
  if (kind < 0 || kind >= static_cast<int>(kElementNames.size())) return {};
  return kElementNames[static_cast<std::size_t>(kind)];
}

int ReadInteger(std::string_view text) {
  std::size_t position = 0;
  while (position < text.size() &&
         (text[position] == ' ' || (text[position] >= '\t' && text[position] <= '\r'))) {
    ++position;
  }
  bool negative = false;
  if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
    negative = text[position] == '-';
    ++position;
  }
  std::int64_t value = 0;
  for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
    value = std::min<std::int64_t>(value * 10 + (text[position] - '0'), std::int64_t{INT_MAX} + 1);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

std::uint32_t DisplayWordOf(const platform::XmlElement& element) {
  std::uint32_t word = 0;
  if (!element.Attribute("caption").empty() && IsYes(element, "show-caption")) {
    word |= display::kCaptionShown;
  }
  if (!element.Attribute("image").empty()) word |= display::kImagePresent;
  return word;
}

std::uint32_t StyleWordOf(const platform::XmlElement& element, bool mayLeadWithImage) {
  const bool isMenu = ElementKindOf(element.Name()) == static_cast<int>(ControlKind::kMenu);
  std::uint32_t word = 0;
  if (ReadInteger(element.Attribute("disabled")) != 0) word |= style::kDisabled;
  if (element.Attribute("command").empty() ||
      (isMenu && element.Attribute("mixed-button") == "no")) {
    word |= style::kNoOwnCommand;
  }
  if (IsYes(element, "auto-size")) word |= style::kAutoSize;
  if (IsYes(element, "fixed-list")) word |= style::kFixedList;
  if (mayLeadWithImage && isMenu && word == style::kNoOwnCommand &&
      DisplayWordOf(element) == display::kImagePresent) {
    word |= style::kLeadingImageMenu;
  }
  if (IsYes(element, "toggle-button")) word |= style::kToggle;
  return word;
}

ImageReference ImageReferenceOf(const platform::XmlElement& element, bool insideMenu) {
  std::string image = element.Attribute("image");
  if (IsAllDigits(image)) return ImageResourceId{ReadInteger(image)};
  if (!image.empty()) return ImageFileName{std::move(image)};
  if (insideMenu) return ImageResourceId{0};
  return ImageIndex{kNoImageIndex};
}

}  // namespace framework
