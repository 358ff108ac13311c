// Internal to platform/xml on Windows: the MSXML side of documents and
// elements. Public headers only see the opaque xml_detail::Tree and
// xml_detail::Node; this is where they become an MSXML document and the
// nodes handed out of it.
#pragma once

#if defined(_WIN32)

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Bstr.h"
#include "platform/com/ComPtr.h"
#include "platform/xml/Msxml_windows.h"
#include "platform/xml/SelectionNamespaces.h"

namespace platform::xml_detail {

// A node's place in its tree: for it and each of its ancestors below the
// document, its index among its parent's child nodes, from the top down.
using NodePath = std::vector<std::uint32_t>;

struct Node {
  ComPtr<IXMLDOMNode> node;
  ComPtr<IXMLDOMElement> element;  // null for the document node
  NodePath path;
};

// One loaded MSXML document, shared between the XmlDocument that loaded it
// and every element handed out from it, with one Node per element handed out.
//
// MSXML keeps one object per node, but Wine's msxml3 makes a fresh wrapper on
// every call, so neither an interface pointer nor its IUnknown tells two
// handouts of one node apart from two nodes. A node's place does: the
// platform's API changes attributes only, never which children an element
// has, so a place names the same node for the tree's whole life. Children
// listed by ChildElements know their place; a selected element's is found by
// walking its preceding siblings and its ancestors, so selecting all of n
// siblings takes n * n / 2 steps (under a second for 3000 in Wine), nothing
// for a toolbar's layout.
class Tree {
 public:
  // `declaration` is the text of the XML declaration the document's bytes
  // started with, which saving writes back.
  Tree(ComPtr<IXMLDOMDocument2> document, std::optional<std::string> declaration);
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;

  IXMLDOMDocument2* Document() const { return document_.Get(); }
  const std::optional<std::string>& Declaration() const { return declaration_; }
  Node* DocumentNode() { return &documentNode_; }

  // The Node for `node`, null when it is not an element of this tree.
  Node* ElementFor(IXMLDOMNode* node);
  // The same for a child whose place the caller knows.
  Node* ElementAt(NodePath path, IXMLDOMNode* node);

  // Binds `namespaces` to their prefixes for selections, unless they are the
  // ones bound already. False when MSXML refuses them.
  bool BindSelectionNamespaces(const Namespaces& namespaces);

 private:
  ComPtr<IXMLDOMDocument2> document_;
  std::optional<std::string> declaration_;
  Node documentNode_;
  std::map<NodePath, std::unique_ptr<Node>> elements_;
  std::optional<Namespaces> boundNamespaces_;
};

// The product's ANSI strings in and out of MSXML's wide ones.
Bstr AnsiBstr(std::string_view ansi);
std::string AnsiOf(BSTR text);

}  // namespace platform::xml_detail

#endif  // _WIN32
