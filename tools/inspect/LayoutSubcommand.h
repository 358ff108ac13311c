// `vimaru-tool layout LOCATION [--stored FILE] [--write-back FILE]`: builds
// the toolbar a browser tab would build from the layout at LOCATION and
// prints the load's result and the control tree as JSON.
#pragma once

#include <ostream>

#include "tools/inspect/Subcommand.h"

namespace tools {

inline constexpr std::string_view kLayoutUsage =
    "layout LOCATION [--stored FILE] [--write-back FILE]";

int RunLayoutSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
