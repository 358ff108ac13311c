// The toolband namespace: every element of a layout document lives in it,
// declared as the default namespace on the root. Queries reach it through
// the prefix "toolband"; "ms" is bound as well because the product's
// parser settings always carried it.
#pragma once

#include <string_view>

namespace framework {

inline constexpr std::string_view kToolbandNamespaceUri = "http://www.vimaru.com/toolband";

inline constexpr std::string_view kLayoutSelectionNamespaces =
    "xmlns:toolband='http://www.vimaru.com/toolband' "
    "xmlns:ms='urn:schemas-microsoft-com:xslt'";

inline constexpr std::string_view kLayoutRootQuery = "/toolband:toolband";
inline constexpr std::string_view kLayoutChildrenQuery = "child::*";

}  // namespace framework
