// The events a streaming XML reader hands to its content handler, shaped
// like the SAX interfaces of the Windows XML reader the product was built
// for (ISAXContentHandler, ISAXAttributes). Every view points into the
// reader's own buffers and is valid only during the call: a handler copies
// what it keeps. Text arrives as UTF-8, in as many pieces as the reader
// likes; a handler concatenates the pieces of one element itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// An element's name as the namespace-aware reader resolves it. `uri` is
// empty for an element in no namespace.
struct SaxName {
  std::string_view uri;
  std::string_view localName;
  std::string_view prefix;

  // "prefix:local", or the local name alone when there is no prefix.
  std::string QualifiedName() const;
};

struct SaxAttribute {
  SaxName name;
  std::string_view value;  // entity and character references already decoded
};

// A view of one start tag's attributes (namespace declarations excluded).
class SaxAttributes {
 public:
  // `raw` is the reader's table of five pointers per attribute: local name,
  // prefix, namespace URI (each NUL-terminated or null), value start and
  // value end.
  SaxAttributes(const unsigned char* const* raw, int count) : raw_(raw), count_(count) {}

  int Count() const { return count_; }
  SaxAttribute At(int index) const;
  std::optional<std::string_view> Find(std::string_view uri, std::string_view localName) const;

 private:
  const unsigned char* const* raw_;
  int count_;
};

// Receives the events of one document. Returning false from any event stops
// the parse at once; the reader then reports kStoppedByHandler.
class SaxContentHandler {
 public:
  virtual ~SaxContentHandler() = default;
  virtual bool StartElement(const SaxName& name, const SaxAttributes& attributes) = 0;
  virtual bool EndElement(const SaxName& name) = 0;
  virtual bool Characters(std::string_view text) = 0;
};

}  // namespace platform
