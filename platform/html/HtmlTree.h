// The tree behind one HTML document: libxml2's HTML parser reads the page
// within the bounds of PageParser.h and the document model edits the tree
// through this class.
//
// Nodes handed out stay valid for the tree's whole life: nodes taken out of
// the document (innerHTML replaced, an element removed, the document written
// anew) are unlinked and kept until the tree goes, so an element object a
// caller still holds never points at freed memory. Nodes are linked by hand,
// never through libxml2's insertion helpers, because those merge adjacent
// text nodes and free one of them.
//
// Text crosses this class as UTF-16; libxml2 keeps UTF-8.
//
// Lives on the browser window's thread; no locking.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct _xmlNode;
struct _xmlDoc;

namespace platform::html {

using Node = _xmlNode;

class HtmlTree {
 public:
  // A tree without a document: what a page still loading shows.
  HtmlTree();
  ~HtmlTree();
  HtmlTree(const HtmlTree&) = delete;
  HtmlTree& operator=(const HtmlTree&) = delete;

  // Parses a whole page (UTF-8) and makes it the document; the previous
  // document's nodes stay allocated (see above). The result always has a
  // root element, and a body unless the page is a frameset.
  void Load(std::string_view utf8Page);

  bool HasDocument() const { return document_ != nullptr; }
  // Changes with every change of the tree's structure or text, so what is
  // computed from the tree can be kept until it is stale.
  std::uint64_t Generation() const { return generation_; }
  Node* Root() const;
  // The body element, or the frameset element of a frameset page, or null.
  Node* Body() const;
  Node* FindChildElement(Node* parent, std::string_view lowerCaseName) const;

  // Every element below `under` (the whole document when null) in document
  // order; `under` itself is not included.
  std::vector<Node*> Elements(Node* under = nullptr) const;

  // Parses an HTML fragment as body content and returns its top-level nodes,
  // made in this tree's document but not linked anywhere: the caller links
  // every one of them (Insert).
  std::vector<Node*> ParseFragment(std::u16string_view html);
  Node* NewText(std::u16string_view text);
  Node* NewElement(std::string_view lowerCaseName);

  // Links `node` into `parent` before `before` (at the end when null).
  void Insert(Node* parent, Node* before, Node* node);
  // Unlinks `node` and keeps it (with its subtree) until the tree goes.
  void Remove(Node* node);
  void RemoveChildren(Node* parent);

  // Text nodes: their text, changing it, and splitting one in two at a
  // UTF-16 offset (the new second part is linked after the first and
  // returned).
  static std::u16string TextOf(Node* textNode);
  void SetText(Node* textNode, std::u16string_view text);
  Node* SplitText(Node* textNode, std::size_t offset);

  std::u16string InnerHtml(Node* element) const;
  std::u16string OuterHtml(Node* element) const;

 private:
  _xmlDoc* document_ = nullptr;
  std::uint64_t generation_ = 0;
  // Documents replaced by Load and nodes removed from the tree, freed with it.
  std::vector<_xmlDoc*> retiredDocuments_;
  std::vector<Node*> removedNodes_;
};

// Element facts that need no tree.
bool IsElement(const Node* node);
bool IsText(const Node* node);
// Lower-case tag name ("div").
std::string LocalName(const Node* element);
std::optional<std::u16string> Attribute(const Node* element, std::u16string_view name,
                                        bool caseSensitive = false);
void SetAttribute(Node* element, std::u16string_view name, std::u16string_view value);
bool RemoveAttribute(Node* element, std::u16string_view name, bool caseSensitive = false);

}  // namespace platform::html
