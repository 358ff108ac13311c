// Internal to platform/xml and platform/sax: what stands before a document's
// root element, read from the raw bytes before any parser sees them.
//
// MSXML 3 expands the entities a document type declares whatever it is told,
// and the SAX reader Wine ships does not even report one, so the MSXML
// backends refuse a document type by looking at the bytes themselves. The
// prolog can only hold an XML declaration, comments, processing instructions,
// white space and one document type declaration, all of it ASCII markup, so
// it is read as ASCII in whichever form the document's first bytes announce
// (UTF-8 or another ASCII-compatible encoding, UTF-16 or UTF-32 in either byte
// order, as appendix F of the XML recommendation tells them apart) without
// decoding anything. Reading stops at the first thing that is none of these:
// the root element, or something a parser refuses at that very place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::xml_detail {

enum class PrologVerdict {
  kNoDocumentType,  // no document type declaration stands before the root
  kDocumentType,    // a <!DOCTYPE declaration does
  kUnreadable,      // the bytes are in a form whose markup cannot be told apart
                    // (EBCDIC, or a NUL where markup should be)
};

struct DocumentProlog {
  PrologVerdict verdict = PrologVerdict::kNoDocumentType;
  // The text between "<?xml" and "?>" of the XML declaration, when the
  // document starts with one ("version='1.0' encoding='iso-8859-1'").
  std::optional<std::string> declaration;
};

DocumentProlog ReadDocumentProlog(std::string_view bytes);

// The value of one pseudo-attribute of a declaration ("encoding" in
// "version='1.0' encoding='iso-8859-1'" is "iso-8859-1"); nullopt when the
// declaration does not name it.
std::optional<std::string> DeclarationValue(std::string_view declaration, std::string_view name);

}  // namespace platform::xml_detail
