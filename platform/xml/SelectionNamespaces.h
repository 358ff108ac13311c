// Internal to platform/xml: the MSXML "SelectionNamespaces" property text.
#pragma once

#include <optional>
#include <string_view>

#include "platform/xml/XmlTree.h"

namespace platform::xml_detail {

// "xmlns:toolband='uri' xmlns:ms='urn:...'" -> {{"toolband","uri"},
// {"ms","urn:..."}}. Declarations are separated by white space; values are
// quoted with ' or ". nullopt for anything else, including a default
// namespace declaration (XPath 1.0 has no use for one) and an empty prefix
// or URI.
std::optional<Namespaces> ParseSelectionNamespaces(std::string_view text);

}  // namespace platform::xml_detail
