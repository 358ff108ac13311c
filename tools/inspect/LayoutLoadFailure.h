// Why the toolband a tab context built is not the layout's toolbar, for the
// subcommands that load a layout (layout, toolbar, page): the toolbar was
// given up, or the loader showed its one error label because the layout
// could not be read. The label is what the product shows the user; the tool
// also reports it as its failure, so a script sees exit 1 and the reason
// instead of a toolbar of one label.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/toolband/ToolBandC.h"

namespace tools {

// `built` is what the context's Create answered (null when the toolbar was
// given up), `location` the layout location as the user gave it. UTF-8
// text, or nullopt when the layout loaded.
std::optional<std::string> LayoutLoadFailure(const framework::ToolBandC* built,
                                             std::string_view location);

}  // namespace tools
