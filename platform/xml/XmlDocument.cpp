// The document object: settings, loading from the product's locations,
// selection from the document node, and saving in the document's encoding.
#include "platform/xml/XmlDocument.h"

#include <memory>

#include <libxml/tree.h>

#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"
#include "platform/resources/ModuleResources.h"
#include "platform/text/UrlScheme.h"
#include "platform/xml/SafeParse.h"
#include "platform/xml/SelectionNamespaces.h"
#include "platform/xml/XmlTree.h"

namespace platform {
namespace {

using xml_detail::FromXml;

// The bytes behind a location the product may name, or nullopt with the
// reason in `error`.
std::optional<std::string> ReadLocation(std::string_view location, XmlParseError& error) {
  if (HasUrlScheme(location, "res")) {
    const auto resource = LoadResUrl(location);
    if (!resource) {
      error.reason = "the module has no such resource";
      return std::nullopt;
    }
    return std::string{*resource};
  }
  const auto path = FileUrlToWindowsPath(location);
  if (!path) {
    error.reason = "the location is not a file path";
    return std::nullopt;
  }
  auto bytes = ReadWholeFile(*path);
  if (!bytes) error.reason = "the file does not exist or cannot be read";
  return bytes;
}

}  // namespace

XmlLoadResult XmlDocument::Load(std::string_view location) {
  parseError_ = XmlParseError();
  const std::optional<std::string_view> scheme = UrlSchemeOf(location);
  if (scheme && !HasUrlScheme(location, "res") && !HasUrlScheme(location, "file")) {
    tree_.reset();
    parseError_.reason = "the scheme '" + std::string(*scheme) + "' is not supported";
    return XmlLoadResult::kUnsupportedScheme;
  }
  const auto bytes = ReadLocation(location, parseError_);
  if (!bytes) {
    tree_.reset();
    return XmlLoadResult::kNotFound;
  }
  return LoadBytes(*bytes, location);
}

XmlLoadResult XmlDocument::LoadBytes(std::string_view bytes, std::string_view baseName) {
  // Owned from the parser's hands on, so a failed allocation of the tree
  // does not leak the parsed document.
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
      xml_detail::ParseDocument(bytes, baseName, parseError_), &xmlFreeDoc);
  if (doc == nullptr) {
    tree_.reset();
    return XmlLoadResult::kParseError;
  }
  tree_ = std::make_shared<xml_detail::Tree>(doc.get());
  doc.release();
  return XmlLoadResult::kOk;
}

std::optional<XmlElement> XmlDocument::Wrap(xml_detail::Node* node) {
  if (node == nullptr) return std::nullopt;
  return XmlElement(shared_from_this(), tree_, node);
}

std::optional<XmlElement> XmlDocument::DocumentElement() {
  if (!tree_) return std::nullopt;
  return Wrap(FromXml(xmlDocGetRootElement(tree_->Doc())));
}

std::vector<XmlElement> XmlDocument::Select(xml_detail::Node* contextNode, std::string_view xpath,
                                            const std::shared_ptr<xml_detail::Tree>& tree) {
  std::vector<XmlElement> elements;
  const auto self = shared_from_this();
  for (xmlNodePtr node : xml_detail::SelectElements(tree->Doc(), xml_detail::ToXml(contextNode),
                                                    xpath, selectionNamespaces_)) {
    elements.push_back(XmlElement(self, tree, FromXml(node)));
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
  return Select(FromXml(reinterpret_cast<xmlNodePtr>(tree_->Doc())), xpath, tree_);
}

std::optional<std::string> XmlDocument::Save() const {
  if (!tree_) return std::nullopt;
  xmlChar* text = nullptr;
  int size = 0;
  const xmlDocPtr doc = tree_->Doc();
  // The document's own encoding, as the declaration it was loaded with
  // named it; a document without one is written as UTF-8.
  xmlDocDumpMemoryEnc(doc, &text, &size, reinterpret_cast<const char*>(doc->encoding));
  if (text == nullptr) return std::nullopt;
  std::string saved(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
  xmlFree(text);
  return saved;
}

bool XmlDocument::SaveToFile(std::string_view windowsPath) const {
  const auto text = Save();
  return text && WriteWholeFile(windowsPath, *text);
}

}  // namespace platform
