// Internal to platform/xml on Windows: a document's saved bytes, made from
// the text MSXML writes for it.
//
// MSXML's own save() is not used: the msxml3 of Wine writes UTF-8 under
// whatever encoding the declaration names, so a Latin-1 layout would come
// back garbled from its stored copy. The document's xml property is the same
// markup as text; this writes it in the encoding the document was loaded in,
// with the declaration it was loaded with.
#pragma once

#if defined(_WIN32)

#include <optional>
#include <string>
#include <string_view>

namespace platform::xml_detail {

// `xmlText` is the xml property of the document (its own declaration, if it
// writes one, is replaced); `declaration` the text of the declaration the
// loaded bytes started with. UTF-8 and UTF-16 are written as themselves, the
// ISO 8859 and Windows code pages and US-ASCII byte by byte with character
// references for what the encoding cannot hold; a document in any other
// encoding is written as UTF-8 under a declaration that says so.
std::string SaveText(std::u16string_view xmlText, const std::optional<std::string>& declaration);

}  // namespace platform::xml_detail

#endif  // _WIN32
