// Internal to platform/xml: the MSXML "SelectionNamespaces" property text.
// Plain text handling, shared by the libxml2 and the MSXML backends.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::xml_detail {

// Prefix and namespace URI of each declaration, in the order written.
using Namespaces = std::vector<std::pair<std::string, std::string>>;

// "xmlns:toolband='uri' xmlns:ms='urn:...'" -> {{"toolband","uri"},
// {"ms","urn:..."}}. Declarations are separated by white space; values are
// quoted with ' or ". nullopt for anything else, including a default
// namespace declaration (XPath 1.0 has no use for one) and an empty prefix
// or URI.
std::optional<Namespaces> ParseSelectionNamespaces(std::string_view text);

}  // namespace platform::xml_detail
