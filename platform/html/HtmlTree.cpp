#include "platform/html/HtmlTree.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstring>

#include "platform/html/PageParser.h"
#include "platform/text/CodePage.h"

namespace platform::html {
namespace {

const xmlChar* Xml(const std::string& text) {
  return reinterpret_cast<const xmlChar*>(text.c_str());
}

std::u16string Wide(const xmlChar* text) {
  return text == nullptr ? std::u16string() : Utf8ToWide(reinterpret_cast<const char*>(text));
}

// In document order; a loop, not recursion, since edits can nest what the
// parser bounded (PageParser.h).
void CollectElements(Node* first, std::vector<Node*>& out) {
  if (first == nullptr) return;
  Node* const parent = first->parent;
  Node* node = first;
  while (node != nullptr) {
    if (node->type == XML_ELEMENT_NODE) {
      out.push_back(node);
      if (node->children != nullptr) {
        node = node->children;
        continue;
      }
    }
    while (node != nullptr && node->next == nullptr) {
      node = node->parent;
      if (node == parent) node = nullptr;
    }
    if (node != nullptr) node = node->next;
  }
}

bool NamesMatch(std::u16string_view a, const xmlChar* b, bool caseSensitive) {
  const std::u16string other = Wide(b);
  if (a.size() != other.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i];
    char16_t y = other[i];
    if (!caseSensitive) {
      if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
      if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
    }
    if (x != y) return false;
  }
  return true;
}

xmlAttrPtr FindAttribute(const Node* element, std::u16string_view name, bool caseSensitive) {
  if (!IsElement(element)) return nullptr;
  for (xmlAttrPtr attribute = element->properties; attribute != nullptr;
       attribute = attribute->next) {
    if (NamesMatch(name, attribute->name, caseSensitive)) return attribute;
  }
  return nullptr;
}

std::u16string Dump(xmlDocPtr document, Node* node) {
  xmlBufferPtr buffer = xmlBufferCreate();
  if (buffer == nullptr) return {};
  xmlOutputBufferPtr output = xmlOutputBufferCreateBuffer(buffer, nullptr);
  if (output != nullptr) {
    htmlNodeDumpFormatOutput(output, document, node, "UTF-8", 0);
    xmlOutputBufferClose(output);
  }
  std::u16string text =
      Wide(xmlBufferContent(buffer) == nullptr ? nullptr : xmlBufferContent(buffer));
  xmlBufferFree(buffer);
  return text;
}

}  // namespace

bool IsElement(const Node* node) { return node != nullptr && node->type == XML_ELEMENT_NODE; }
bool IsText(const Node* node) {
  return node != nullptr && (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE);
}

std::string LocalName(const Node* element) {
  if (!IsElement(element) || element->name == nullptr) return {};
  std::string name(reinterpret_cast<const char*>(element->name));
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

std::optional<std::u16string> Attribute(const Node* element, std::u16string_view name,
                                        bool caseSensitive) {
  const xmlAttrPtr attribute = FindAttribute(element, name, caseSensitive);
  if (attribute == nullptr) return std::nullopt;
  xmlChar* value = xmlNodeListGetString(element->doc, attribute->children, 1);
  std::u16string text = Wide(value);
  xmlFree(value);
  return text;
}

void SetAttribute(Node* element, std::u16string_view name, std::u16string_view value) {
  if (!IsElement(element)) return;
  const std::string utf8Value = WideToUtf8(value);
  if (const xmlAttrPtr existing = FindAttribute(element, name, false)) {
    xmlSetProp(element, existing->name, Xml(utf8Value));
    return;
  }
  xmlSetProp(element, Xml(WideToUtf8(name)), Xml(utf8Value));
}

bool RemoveAttribute(Node* element, std::u16string_view name, bool caseSensitive) {
  const xmlAttrPtr attribute = FindAttribute(element, name, caseSensitive);
  return attribute != nullptr && xmlRemoveProp(attribute) == 0;
}

HtmlTree::HtmlTree() = default;

HtmlTree::~HtmlTree() {
  // Removed nodes first: their names may live in their document's
  // dictionary, which goes with the document.
  for (Node* node : removedNodes_) xmlFreeNode(node);
  for (xmlDocPtr document : retiredDocuments_) xmlFreeDoc(document);
  if (document_ != nullptr) xmlFreeDoc(document_);
}

void HtmlTree::Load(std::string_view utf8Page) {
  htmlDocPtr parsed = utf8Page.empty() ? nullptr : ParseHtml(utf8Page);
  if (parsed == nullptr || xmlDocGetRootElement(parsed) == nullptr) {
    if (parsed != nullptr) xmlFreeDoc(parsed);
    parsed = ParseHtml("<html><head></head><body></body></html>");
  }
  if (document_ != nullptr) retiredDocuments_.push_back(document_);
  document_ = parsed;
  ++generation_;
  Node* root = xmlDocGetRootElement(document_);
  if (Body() == nullptr) Insert(root, nullptr, NewElement("body"));
}

Node* HtmlTree::Root() const {
  return document_ == nullptr ? nullptr : xmlDocGetRootElement(document_);
}

Node* HtmlTree::FindChildElement(Node* parent, std::string_view lowerCaseName) const {
  if (parent == nullptr) return nullptr;
  for (Node* child = parent->children; child != nullptr; child = child->next) {
    if (IsElement(child) && LocalName(child) == lowerCaseName) return child;
  }
  return nullptr;
}

Node* HtmlTree::Body() const {
  Node* root = Root();
  if (Node* body = FindChildElement(root, "body")) return body;
  return FindChildElement(root, "frameset");
}

std::vector<Node*> HtmlTree::Elements(Node* under) const {
  std::vector<Node*> elements;
  if (under != nullptr) {
    CollectElements(under->children, elements);
  } else if (document_ != nullptr) {
    CollectElements(document_->children, elements);
  }
  return elements;
}

std::vector<Node*> HtmlTree::ParseFragment(std::u16string_view html) {
  std::vector<Node*> nodes;
  if (document_ == nullptr || html.empty()) return nodes;
  const std::string page = "<html><head></head><body>" + WideToUtf8(html) + "</body></html>";
  htmlDocPtr fragment = ParseHtml(page);
  if (fragment == nullptr) return nodes;
  Node* body = nullptr;
  for (Node* child = xmlDocGetRootElement(fragment)->children; child != nullptr;
       child = child->next) {
    if (IsElement(child) && LocalName(child) == "body") body = child;
  }
  for (Node* child = body == nullptr ? nullptr : body->children; child != nullptr;
       child = child->next) {
    if (Node* copy = xmlDocCopyNode(child, document_, 1)) nodes.push_back(copy);
  }
  xmlFreeDoc(fragment);
  return nodes;
}

Node* HtmlTree::NewText(std::u16string_view text) {
  return xmlNewDocText(document_, Xml(WideToUtf8(text)));
}

Node* HtmlTree::NewElement(std::string_view lowerCaseName) {
  return xmlNewDocNode(document_, nullptr, Xml(std::string(lowerCaseName)), nullptr);
}

void HtmlTree::Insert(Node* parent, Node* before, Node* node) {
  ++generation_;
  node->parent = parent;
  node->next = before;
  node->prev = before != nullptr ? before->prev : parent->last;
  if (node->prev != nullptr) {
    node->prev->next = node;
  } else {
    parent->children = node;
  }
  if (before != nullptr) {
    before->prev = node;
  } else {
    parent->last = node;
  }
}

void HtmlTree::Remove(Node* node) {
  if (node == nullptr) return;
  ++generation_;
  xmlUnlinkNode(node);
  removedNodes_.push_back(node);
}

void HtmlTree::RemoveChildren(Node* parent) {
  while (parent != nullptr && parent->children != nullptr) Remove(parent->children);
}

std::u16string HtmlTree::TextOf(Node* textNode) { return Wide(textNode->content); }

void HtmlTree::SetText(Node* textNode, std::u16string_view text) {
  ++generation_;
  xmlNodeSetContent(textNode, Xml(WideToUtf8(text)));
}

Node* HtmlTree::SplitText(Node* textNode, std::size_t offset) {
  const std::u16string text = TextOf(textNode);
  offset = std::min(offset, text.size());
  Node* second = NewText(std::u16string_view(text).substr(offset));
  SetText(textNode, std::u16string_view(text).substr(0, offset));
  Insert(textNode->parent, textNode->next, second);
  return second;
}

std::u16string HtmlTree::InnerHtml(Node* element) const {
  std::u16string html;
  for (Node* child = element->children; child != nullptr; child = child->next) {
    html += Dump(document_, child);
  }
  return html;
}

std::u16string HtmlTree::OuterHtml(Node* element) const { return Dump(document_, element); }

}  // namespace platform::html
