// The XML DOM document with XPath selection that the toolbar reads its
// layout from (the MSXML DOMDocument the product was written against),
// backed by libxml2.
//
// Documents are shared: XmlDocument::Create returns a shared_ptr, and every
// XmlElement handed out keeps its document and tree alive, so a control can
// hold the element it was built from for as long as it likes, even after the
// toolband dropped the document or loaded a new one.
//
// Loading never touches the network, never loads a DTD, never reads an
// external entity and does not substitute entities; libxml2's default size
// limits stay on. Loading is synchronous whatever the async setting says.
// On Windows the document is MSXML 3's, which expands whatever a document
// type declares, so there a document that declares one is refused as a
// parse error, and the reasons of parse errors are MSXML's words.
//
// Strings in and out are the product's narrow ANSI strings (Windows-1252);
// the document keeps its own encoding, which Save() writes back.
// A document and its elements belong to one thread at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

namespace xml_detail {
class Tree;
struct Node;
}  // namespace xml_detail

class XmlDocument;

// An element of a document (IXMLDOMElement). Cheap to copy.
class XmlElement {
 public:
  // nodeName: the tag name as written, with its prefix if it has one
  // ("button", "tb:button").
  std::string Name() const;

  // getAttribute: nullopt when the element has no such attribute. Names are
  // matched as written (qualified names included).
  std::optional<std::string> GetAttribute(std::string_view name) const;
  // The product's reading: a missing attribute is the empty string.
  std::string Attribute(std::string_view name) const;

  // setAttribute: creates or replaces the attribute.
  void SetAttribute(std::string_view name, std::string_view ansiValue);

  // text: the concatenated text of the element and its descendants.
  std::string Text() const;

  // The element children in document order (same as SelectNodes("child::*")).
  std::vector<XmlElement> ChildElements() const;

  // XPath relative to this element with the document's selection
  // namespaces. Only element results are returned; a bad expression gives
  // nothing.
  std::optional<XmlElement> SelectSingleNode(std::string_view xpath) const;
  std::vector<XmlElement> SelectNodes(std::string_view xpath) const;

  // The document this element belongs to.
  const std::shared_ptr<XmlDocument>& OwnerDocument() const { return document_; }

  // Same node of the same tree.
  friend bool operator==(const XmlElement& a, const XmlElement& b) { return a.node_ == b.node_; }

 private:
  friend class XmlDocument;
  XmlElement(std::shared_ptr<XmlDocument> document, std::shared_ptr<xml_detail::Tree> tree,
             xml_detail::Node* node);

  std::shared_ptr<XmlDocument> document_;
  std::shared_ptr<xml_detail::Tree> tree_;
  xml_detail::Node* node_;
};

enum class XmlLoadResult {
  kOk,
  kNotFound,           // the location names nothing readable
  kParseError,         // the bytes are not a well-formed document
  kUnsupportedScheme,  // the location is a URL of a scheme other than file: and res:
};

// Why the last load failed (the parseError object of the DOM): the reason in
// words, and the line and column where the parser stopped, both 0 when the
// failure has no place (a location that cannot be read).
struct XmlParseError {
  std::string reason;
  int line = 0;
  int column = 0;
};

class XmlDocument : public std::enable_shared_from_this<XmlDocument> {
 public:
  // CoCreateInstance(DOMDocument). Never fails here, but callers keep the
  // product's "could not create" path, so it returns a pointer.
  static std::shared_ptr<XmlDocument> Create();
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Settings. async is kept and reported but loading stays synchronous;
  // validateOnParse and resolveExternals are accepted but the parser never
  // validates or resolves externals, whatever they say.
  void SetAsync(bool async) { async_ = async; }
  bool Async() const { return async_; }
  void SetValidateOnParse(bool validate) { validateOnParse_ = validate; }
  void SetResolveExternals(bool resolve) { resolveExternals_ = resolve; }

  // setProperty("SelectionLanguage", "XPath") and
  // setProperty("SelectionNamespaces", "xmlns:a='uri1' xmlns:b='uri2'").
  // False for unknown properties, languages other than "XPath", and
  // namespace texts that are not a blank-separated list of
  // xmlns:prefix='uri' (or "uri") declarations.
  bool SetProperty(std::string_view name, std::string_view value);

  // load: a Windows path, a "file://" URL, or a "res://" URL of our own
  // module; other URLs are refused, as nothing here reaches the network.
  // Replaces the current tree on success; on failure the document is left
  // empty (as MSXML leaves it) and ParseError says why.
  XmlLoadResult Load(std::string_view location);

  // Parses a whole document from bytes (its declaration decides the
  // encoding, UTF-8 by default). `baseName` only names the document in
  // diagnostics.
  XmlLoadResult LoadBytes(std::string_view bytes, std::string_view baseName = "");

  // Why the last Load or LoadBytes failed; empty after one that succeeded.
  // Nothing libxml2 reports while loading reaches standard error.
  const XmlParseError& ParseError() const { return parseError_; }

  // True once a load succeeded.
  bool IsLoaded() const { return tree_ != nullptr; }

  std::optional<XmlElement> DocumentElement();

  // selectSingleNode / selectNodes from the document node.
  std::optional<XmlElement> SelectSingleNode(std::string_view xpath);
  std::vector<XmlElement> SelectNodes(std::string_view xpath);

  // save: the whole document as text, with an XML declaration naming the
  // document's own encoding (e.g. iso-8859-1) and the text in that encoding.
  // nullopt when nothing is loaded.
  std::optional<std::string> Save() const;
  // save(path): the same bytes into a mapped Windows file.
  bool SaveToFile(std::string_view windowsPath) const;

 private:
  friend class XmlElement;
  XmlDocument();

  std::optional<XmlElement> Wrap(xml_detail::Node* node);
  std::vector<XmlElement> Select(xml_detail::Node* contextNode, std::string_view xpath,
                                 const std::shared_ptr<xml_detail::Tree>& tree);

  bool async_ = true;
  bool validateOnParse_ = true;
  bool resolveExternals_ = true;
  std::vector<std::pair<std::string, std::string>> selectionNamespaces_;
  std::shared_ptr<xml_detail::Tree> tree_;
  XmlParseError parseError_;
};

}  // namespace platform
