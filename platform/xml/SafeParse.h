// Internal to platform/xml: parsing bytes into a libxml2 tree with every
// door to the outside closed.
#pragma once

#include <libxml/tree.h>

#include <string_view>

namespace platform::xml_detail {

// The parsed tree, or nullptr when the bytes are not a well-formed
// document. No network, no DTD loading, no entity substitution, and an
// entity resolver that refuses everything, so not even a local file named
// by a SYSTEM identifier is opened.
xmlDocPtr ParseDocument(std::string_view bytes, std::string_view baseName);

}  // namespace platform::xml_detail
