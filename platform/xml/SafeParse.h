// Internal to platform/xml: parsing bytes into a libxml2 tree with every
// door to the outside closed.
#pragma once

#include <libxml/tree.h>

#include <string_view>

#include "platform/xml/XmlDocument.h"

namespace platform::xml_detail {

// The parsed tree, or nullptr (with `error` saying why and where) when the
// bytes are not a well-formed document. No network, no DTD loading, no
// entity substitution, and an entity resolver that refuses everything, so
// not even a local file named by a SYSTEM identifier is opened. libxml2's
// reports are captured, never printed.
xmlDocPtr ParseDocument(std::string_view bytes, std::string_view baseName, XmlParseError& error);

}  // namespace platform::xml_detail
