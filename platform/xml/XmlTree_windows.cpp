#if defined(_WIN32)

#include "platform/xml/XmlTree_windows.h"

#include <algorithm>
#include <utility>

#include "platform/automation/Variant.h"
#include "platform/text/CodePage.h"

namespace platform::xml_detail {
namespace {

// Counts the siblings before `node`.
std::optional<std::uint32_t> IndexAmongSiblings(IXMLDOMNode* node) {
  std::uint32_t index = 0;
  ComPtr<IXMLDOMNode> current(node);
  for (;;) {
    ComPtr<IXMLDOMNode> previous;
    const HRESULT hr = current->get_previousSibling(previous.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return std::nullopt;
    if (hr != S_OK || !previous) return index;
    ++index;
    current = std::move(previous);
  }
}

// Where `node` sits, climbing to the document; the depth is bounded by the
// parser's element depth limit.
std::optional<NodePath> PathOf(IXMLDOMNode* node) {
  NodePath path;
  ComPtr<IXMLDOMNode> current(node);
  for (;;) {
    ComPtr<IXMLDOMNode> parent;
    const HRESULT hr = current->get_parentNode(parent.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return std::nullopt;
    if (hr != S_OK || !parent) break;
    const auto index = IndexAmongSiblings(current.Get());
    if (!index) return std::nullopt;
    path.push_back(*index);
    current = std::move(parent);
  }
  std::reverse(path.begin(), path.end());
  return path;
}

// The text MSXML's SelectionNamespaces property takes, each URI quoted with
// a quote it does not hold (the parser of the product's text made sure one
// of the two is free).
std::u16string NamespacesText(const Namespaces& namespaces) {
  std::u16string text;
  for (const auto& [prefix, uri] : namespaces) {
    const char16_t quote = uri.find('\'') == std::string::npos ? u'\'' : u'"';
    if (!text.empty()) text += u' ';
    text += u"xmlns:" + AnsiToWide(prefix) + u'=' + quote + AnsiToWide(uri) + quote;
  }
  return text;
}

}  // namespace

Tree::Tree(ComPtr<IXMLDOMDocument2> document, std::optional<std::string> declaration)
    : document_(std::move(document)), declaration_(std::move(declaration)) {
  documentNode_.node = document_;
}

Node* Tree::ElementFor(IXMLDOMNode* node) {
  DOMNodeType type = NODE_INVALID;
  if (node == nullptr || FAILED(node->get_nodeType(&type)) || type != NODE_ELEMENT) return nullptr;
  auto path = PathOf(node);
  if (!path) return nullptr;
  return ElementAt(std::move(*path), node);
}

Node* Tree::ElementAt(NodePath path, IXMLDOMNode* node) {
  auto found = elements_.find(path);
  if (found != elements_.end()) return found->second.get();
  auto made = std::make_unique<Node>();
  made->node = node;
  if (FAILED(made->node.As(&made->element))) return nullptr;
  made->path = path;
  return elements_.emplace(std::move(path), std::move(made)).first->second.get();
}

bool Tree::BindSelectionNamespaces(const Namespaces& namespaces) {
  if (boundNamespaces_ == namespaces) return true;
  boundNamespaces_.reset();
  const Bstr property(u"SelectionNamespaces");
  if (FAILED(document_->setProperty(property.Get(), Variant(NamespacesText(namespaces))))) {
    return false;
  }
  boundNamespaces_ = namespaces;
  return true;
}

Bstr AnsiBstr(std::string_view ansi) { return Bstr(AnsiToWide(ansi)); }

std::string AnsiOf(BSTR text) { return WideToAnsi(Bstr::Borrowed(text)); }

}  // namespace platform::xml_detail

#endif  // _WIN32
