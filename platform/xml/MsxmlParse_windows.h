// Internal to platform/xml on Windows: parsing bytes into an MSXML document
// with every door to the outside closed, as SafeParse does on the libxml2
// side.
#pragma once

#if defined(_WIN32)

#include <memory>
#include <string_view>

#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlTree_windows.h"

namespace platform::xml_detail {

// The parsed tree in a fresh MSXML document, or nullptr (with `error` saying
// why and, where MSXML tells, where) when the bytes are not a well-formed
// document or declare a document type. Nothing outside the bytes is read, no
// document is validated, white space stays as written, and selections speak
// XPath.
std::shared_ptr<Tree> ParseTree(std::string_view bytes, XmlParseError& error);

}  // namespace platform::xml_detail

#endif  // _WIN32
