// How one layout element reads: its kind, its style word, its display word
// and its image reference. Attribute texts are compared exactly; booleans
// are exactly "yes" (or "no" for mixed-button), integers read like atoi.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/xml/XmlDocument.h"

namespace framework {

// The element names in table order; a name's position is its kind number.
// -1 for any other name (matched exactly: "Button" is not a button).
int ElementKindOf(std::string_view elementName);
// The element name of a kind number; empty for numbers outside the table.
std::string_view ElementNameOfKind(int kind);

// C atoi: leading blanks, an optional sign, then digits up to the first
// non-digit; no digits read as 0. Values beyond int saturate instead of
// overflowing.
int ReadInteger(std::string_view text);

// Bit 0: caption shown; bit 1: image present.
std::uint32_t DisplayWordOf(const platform::XmlElement& element);

// The style word. `mayLeadWithImage` is true only for the first control
// built at the top level; the leading-image bit needs it.
std::uint32_t StyleWordOf(const platform::XmlElement& element, bool mayLeadWithImage);

struct ImageResourceId {
  int id;
};
struct ImageFileName {
  std::string name;
};
struct ImageIndex {
  int index;
};
using ImageReference = std::variant<ImageResourceId, ImageFileName, ImageIndex>;

// Digits only: a bitmap resource id; other text: a file name; nothing: at
// the top level the toolbar's no-image index, inside a menu resource id 0.
ImageReference ImageReferenceOf(const platform::XmlElement& element, bool insideMenu);

}  // namespace framework
