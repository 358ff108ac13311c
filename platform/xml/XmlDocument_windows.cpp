// The document object on MSXML 3: settings, loading from the product's
// locations, selection from the document node, and saving in the document's
// encoding.
#if defined(_WIN32)

#include "platform/text/UrlScheme.h"
#include "platform/xml/MsxmlParse_windows.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlLocation_windows.h"
#include "platform/xml/XmlSaveText_windows.h"
#include "platform/xml/XmlTree_windows.h"

namespace platform {

XmlLoadResult XmlDocument::Load(std::string_view location) {
  parseError_ = XmlParseError();
  const std::optional<std::string_view> scheme = UrlSchemeOf(location);
  if (scheme && !HasUrlScheme(location, "res") && !HasUrlScheme(location, "file")) {
    tree_.reset();
    parseError_.reason = "the scheme '" + std::string(*scheme) + "' is not supported";
    return XmlLoadResult::kUnsupportedScheme;
  }
  const auto bytes = xml_detail::ReadLocation(location, parseError_);
  if (!bytes) {
    tree_.reset();
    return XmlLoadResult::kNotFound;
  }
  return LoadBytes(*bytes, location);
}

XmlLoadResult XmlDocument::LoadBytes(std::string_view bytes, std::string_view /*baseName*/) {
  parseError_ = XmlParseError();
  tree_ = xml_detail::ParseTree(bytes, parseError_);
  return tree_ ? XmlLoadResult::kOk : XmlLoadResult::kParseError;
}

std::optional<XmlElement> XmlDocument::Wrap(xml_detail::Node* node) {
  if (node == nullptr) return std::nullopt;
  return XmlElement(shared_from_this(), tree_, node);
}

std::optional<XmlElement> XmlDocument::DocumentElement() {
  if (!tree_) return std::nullopt;
  ComPtr<IXMLDOMElement> root;
  if (tree_->Document()->get_documentElement(root.ReleaseAndGetAddressOf()) != S_OK) {
    return std::nullopt;
  }
  return Wrap(tree_->ElementFor(root.Get()));
}

std::vector<XmlElement> XmlDocument::Select(xml_detail::Node* contextNode, std::string_view xpath,
                                            const std::shared_ptr<xml_detail::Tree>& tree) {
  std::vector<XmlElement> elements;
  ComPtr<IXMLDOMNodeList> selected;
  if (!tree->BindSelectionNamespaces(selectionNamespaces_) ||
      contextNode->node->selectNodes(xml_detail::AnsiBstr(xpath).Get(),
                                     selected.ReleaseAndGetAddressOf()) != S_OK ||
      !selected) {
    return elements;
  }
  LONG length = 0;
  if (FAILED(selected->get_length(&length))) return elements;
  const auto self = shared_from_this();
  for (LONG i = 0; i < length; ++i) {
    ComPtr<IXMLDOMNode> item;
    if (selected->get_item(i, item.ReleaseAndGetAddressOf()) != S_OK) continue;
    if (xml_detail::Node* node = tree->ElementFor(item.Get())) {
      elements.push_back(XmlElement(self, tree, node));
    }
  }
  return elements;
}

std::optional<XmlElement> XmlDocument::SelectSingleNode(std::string_view xpath) {
  if (!tree_) return std::nullopt;
  auto selected = SelectNodes(xpath);
  if (selected.empty()) return std::nullopt;
  return selected.front();
}

std::vector<XmlElement> XmlDocument::SelectNodes(std::string_view xpath) {
  if (!tree_) return {};
  return Select(tree_->DocumentNode(), xpath, tree_);
}

std::optional<std::string> XmlDocument::Save() const {
  if (!tree_) return std::nullopt;
  Bstr text;
  if (FAILED(tree_->Document()->get_xml(text.Receive()))) return std::nullopt;
  return xml_detail::SaveText(text.View(), tree_->Declaration());
}

bool XmlDocument::SaveToFile(std::string_view windowsPath) const {
  const auto text = Save();
  return text && xml_detail::WriteLocation(windowsPath, *text);
}

}  // namespace platform

#endif  // _WIN32
