// Making a document and its selection settings, the same on both systems:
// XPath is the only selection language, and the namespaces are parsed here.
#include <utility>

#include "platform/xml/SelectionNamespaces.h"
#include "platform/xml/XmlDocument.h"

namespace platform {

XmlDocument::XmlDocument() = default;
XmlDocument::~XmlDocument() = default;

std::shared_ptr<XmlDocument> XmlDocument::Create() {
  return std::shared_ptr<XmlDocument>(new XmlDocument());
}

bool XmlDocument::SetProperty(std::string_view name, std::string_view value) {
  if (name == "SelectionLanguage") return value == "XPath";
  if (name == "SelectionNamespaces") {
    auto namespaces = xml_detail::ParseSelectionNamespaces(value);
    if (!namespaces) return false;
    selectionNamespaces_ = std::move(*namespaces);
    return true;
  }
  return false;
}

}  // namespace platform
