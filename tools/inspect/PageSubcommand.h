// `vimaru-tool page URL [--layout LOCATION] [--type ID=TEXT]... [--run ID]...`:
// opens the page in the stand-in browser with the toolbar of the layout in
// its rebar, types and commits texts into fields and clicks controls, in
// the order given, and prints what the page and the browser went through
// as one JSON object (see PageSnapshot.h).
#pragma once

#include <ostream>
#include <string_view>

#include "tools/inspect/Subcommand.h"

namespace tools {

inline constexpr std::string_view kPageUsage =
    "page URL [--layout LOCATION] [--type ID=TEXT]... [--run ID]...";

int RunPageSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
