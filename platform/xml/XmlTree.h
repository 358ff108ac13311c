// Internal to platform/xml: the libxml2 side of documents and elements.
// Public headers only see the opaque xml_detail::Tree and xml_detail::Node;
// this is where they become libxml2's xmlDoc and xmlNode.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/xml/SelectionNamespaces.h"

namespace platform::xml_detail {

// Never defined: a Node* is an xmlNode* in disguise.
struct Node;

// Owns one parsed libxml2 document. Shared between the XmlDocument that
// loaded it and every element handed out from it.
class Tree {
 public:
  explicit Tree(xmlDocPtr doc) : doc_(doc) {}
  ~Tree() { xmlFreeDoc(doc_); }
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;

  xmlDocPtr Doc() const { return doc_; }

 private:
  xmlDocPtr doc_;
};

inline xmlNodePtr ToXml(Node* node) { return reinterpret_cast<xmlNodePtr>(node); }
inline Node* FromXml(xmlNodePtr node) { return reinterpret_cast<Node*>(node); }

// ANSI <-> the UTF-8 libxml2 keeps.
std::string ToUtf8(std::string_view ansi);
std::string ToAnsi(const xmlChar* utf8);

// Elements among the XPath results of `expression` evaluated at `context`,
// in document order; nothing for an invalid expression or unbound prefix.
std::vector<xmlNodePtr> SelectElements(xmlDocPtr doc, xmlNodePtr context,
                                       std::string_view expression, const Namespaces& namespaces);

}  // namespace platform::xml_detail
