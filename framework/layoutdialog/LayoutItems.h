// The items the layout dialog offers: the toolbar's top-level elements with
// a known element name, in document order. Their position in this list is
// taken as the position of their control on the toolbar: the builder skips
// every other element, and creates one control for each of these as long as
// its command can be found.
#pragma once

#include <string>
#include <vector>

#include "platform/xml/XmlDocument.h"

namespace framework {

struct LayoutItem {
  // What the user recognises the item by: its caption, else its tooltip,
  // else its command, else (separators) its element name.
  std::string label;
  // Switched on: `disabled` reads as 0.
  bool shown = true;
};

// The top-level elements the dialog and the layout command count; empty
// when the document has no toolband root.
std::vector<platform::XmlElement> TopLevelLayoutElements(platform::XmlDocument& document);

std::vector<LayoutItem> LayoutItemsOf(platform::XmlDocument& document);

// Writes `disabled` = "0" or "1" into each counted element from `shown`
// (one flag per element, in order). False, with nothing written, when the
// number of flags does not match.
bool ApplyShownStates(platform::XmlDocument& document, const std::vector<bool>& shown);

}  // namespace framework
