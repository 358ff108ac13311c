// Elements on MSXML 3: names and attributes in the product's ANSI strings,
// children, and selection relative to the element.
#if defined(_WIN32)

#include "platform/automation/Variant.h"
#include "platform/text/CodePage.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlTree_windows.h"

namespace platform {
namespace {

using xml_detail::AnsiBstr;
using xml_detail::AnsiOf;

}  // namespace

XmlElement::XmlElement(std::shared_ptr<XmlDocument> document,
                       std::shared_ptr<xml_detail::Tree> tree, xml_detail::Node* node)
    : document_(std::move(document)), tree_(std::move(tree)), node_(node) {}

std::string XmlElement::Name() const {
  Bstr name;
  if (FAILED(node_->node->get_nodeName(name.Receive()))) return {};
  return AnsiOf(name.Get());
}

std::optional<std::string> XmlElement::GetAttribute(std::string_view name) const {
  Variant value;
  if (node_->element->getAttribute(AnsiBstr(name).Get(), value.Receive()) != S_OK ||
      value.vt != VT_BSTR) {
    return std::nullopt;
  }
  return AnsiOf(value.bstrVal);
}

std::string XmlElement::Attribute(std::string_view name) const {
  return GetAttribute(name).value_or("");
}

void XmlElement::SetAttribute(std::string_view name, std::string_view ansiValue) {
  node_->element->setAttribute(AnsiBstr(name).Get(), Variant(AnsiToWide(ansiValue)));
}

std::string XmlElement::Text() const {
  Bstr text;
  if (FAILED(node_->node->get_text(text.Receive()))) return {};
  return AnsiOf(text.Get());
}

std::vector<XmlElement> XmlElement::ChildElements() const {
  std::vector<XmlElement> children;
  ComPtr<IXMLDOMNode> child;
  HRESULT hr = node_->node->get_firstChild(child.ReleaseAndGetAddressOf());
  for (std::uint32_t index = 0; hr == S_OK && child; ++index) {
    DOMNodeType type = NODE_INVALID;
    if (SUCCEEDED(child->get_nodeType(&type)) && type == NODE_ELEMENT) {
      xml_detail::NodePath path = node_->path;
      path.push_back(index);
      if (xml_detail::Node* node = tree_->ElementAt(std::move(path), child.Get())) {
        children.push_back(XmlElement(document_, tree_, node));
      }
    }
    ComPtr<IXMLDOMNode> next;
    hr = child->get_nextSibling(next.ReleaseAndGetAddressOf());
    child = std::move(next);
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

#endif  // _WIN32
