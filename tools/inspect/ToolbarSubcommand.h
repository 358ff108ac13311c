// `vimaru-tool toolbar LOCATION [--stored FILE] [--width N] [--svg FILE]
// [--keys KEYS]`: builds the toolband a browser tab would build from the
// layout at LOCATION inside a stand-in rebar, optionally presses the listed
// keys through the thread's keyboard hook, and prints the toolbar's buttons,
// the top-level controls and the commands the keys executed as JSON.
#pragma once

#include <ostream>
#include <string_view>

#include "tools/inspect/Subcommand.h"

namespace tools {

inline constexpr std::string_view kToolbarUsage =
    "toolbar LOCATION [--stored FILE] [--width N] [--svg FILE] [--keys KEYS]";

int RunToolbarSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
