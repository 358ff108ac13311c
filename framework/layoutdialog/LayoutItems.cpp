#include "framework/layoutdialog/LayoutItems.h"

#include "framework/layout/LayoutWords.h"
#include "framework/layout/ToolbandNamespace.h"

namespace framework {

namespace {

std::string LabelOf(const platform::XmlElement& element) {
  for (const char* attribute : {"caption", "tooltip", "command"}) {
    std::string text = element.Attribute(attribute);
    if (!text.empty()) return text;
  }
  return element.Name();
}

}  // namespace

std::vector<platform::XmlElement> TopLevelLayoutElements(platform::XmlDocument& document) {
  std::vector<platform::XmlElement> counted;
  const std::optional<platform::XmlElement> root = document.SelectSingleNode(kLayoutRootQuery);
  if (!root) return counted;
  for (platform::XmlElement& child : root->SelectNodes(kLayoutChildrenQuery)) {
    if (ElementKindOf(child.Name()) >= 0) counted.push_back(std::move(child));
  }
  return counted;
}

std::vector<LayoutItem> LayoutItemsOf(platform::XmlDocument& document) {
  std::vector<LayoutItem> items;
  for (const platform::XmlElement& element : TopLevelLayoutElements(document)) {
    items.push_back({LabelOf(element), ReadInteger(element.Attribute("disabled")) == 0});
  }
  return items;
}

bool ApplyShownStates(platform::XmlDocument& document, const std::vector<bool>& shown) {
  const std::vector<platform::XmlElement> elements = TopLevelLayoutElements(document);
  if (elements.size() != shown.size()) return false;
  for (std::size_t index = 0; index < elements.size(); ++index) {
    platform::XmlElement element = elements[index];
    element.SetAttribute("disabled", shown[index] ? "0" : "1");
  }
  return true;
}

}  // namespace framework
