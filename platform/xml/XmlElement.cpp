// Elements: names and attributes in the product's ANSI strings, children,
// and selection relative to the element.
#include <libxml/tree.h>

#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlTree.h"

namespace platform {
namespace {

using xml_detail::ToAnsi;
using xml_detail::ToUtf8;
using xml_detail::ToXml;

const xmlChar* AsXml(const std::string& utf8) {
  return reinterpret_cast<const xmlChar*>(utf8.c_str());
}

std::string QualifiedName(const xmlChar* localName, xmlNsPtr ns) {
  std::string name;
  if (ns != nullptr && ns->prefix != nullptr) {
    name = reinterpret_cast<const char*>(ns->prefix);
    name.push_back(':');
  }
  name += reinterpret_cast<const char*>(localName);
  return name;
}

xmlAttrPtr FindAttribute(xmlNodePtr node, const std::string& qualifiedUtf8) {
  for (xmlAttrPtr attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
    if (QualifiedName(attribute->name, attribute->ns) == qualifiedUtf8) return attribute;
  }
  return nullptr;
}

}  // namespace

XmlElement::XmlElement(std::shared_ptr<XmlDocument> document,
                       std::shared_ptr<xml_detail::Tree> tree, xml_detail::Node* node)
    : document_(std::move(document)), tree_(std::move(tree)), node_(node) {}

std::string XmlElement::Name() const {
  const xmlNodePtr node = ToXml(node_);
  const std::string qualified = QualifiedName(node->name, node->ns);
  return ToAnsi(AsXml(qualified));
}

std::optional<std::string> XmlElement::GetAttribute(std::string_view name) const {
  const xmlNodePtr node = ToXml(node_);
  const xmlAttrPtr attribute = FindAttribute(node, ToUtf8(name));
  if (attribute == nullptr) return std::nullopt;
  xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
  std::string ansi = ToAnsi(value);
  xmlFree(value);
  return ansi;
}

std::string XmlElement::Attribute(std::string_view name) const {
  return GetAttribute(name).value_or("");
}

void XmlElement::SetAttribute(std::string_view name, std::string_view ansiValue) {
  const xmlNodePtr node = ToXml(node_);
  const std::string nameUtf8 = ToUtf8(name);
  const std::string valueUtf8 = ToUtf8(ansiValue);
  // An existing attribute keeps its namespace; a new one is created by its
  // name as written (libxml2 binds a prefix it can resolve).
  if (const xmlAttrPtr existing = FindAttribute(node, nameUtf8)) {
    xmlSetNsProp(node, existing->ns, existing->name, AsXml(valueUtf8));
  } else {
    xmlSetProp(node, AsXml(nameUtf8), AsXml(valueUtf8));
  }
}

std::string XmlElement::Text() const {
  xmlChar* content = xmlNodeGetContent(ToXml(node_));
  std::string ansi = ToAnsi(content);
  xmlFree(content);
  return ansi;
}

std::vector<XmlElement> XmlElement::ChildElements() const {
  std::vector<XmlElement> children;
  for (xmlNodePtr child = ToXml(node_)->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE)
      children.push_back(XmlElement(document_, tree_, xml_detail::FromXml(child)));
  }
  return children;
}

std::optional<XmlElement> XmlElement::SelectSingleNode(std::string_view xpath) const {
  auto selected = SelectNodes(xpath);
  if (selected.empty()) return std::nullopt;
  return selected.front();
}

std::vector<XmlElement> XmlElement::SelectNodes(std::string_view xpath) const {
  return document_->Select(node_, xpath, tree_);
}

}  // namespace platform
