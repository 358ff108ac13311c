// `vimaru-tool scan PAGE [--cache FILE] [--html]`: loads the category lists
// as a browser session does (FILE, a host path, standing for the cache file
// beside the browser: used when valid and fresh, otherwise the lists come
// from the configured ads endpoint and FILE is rewritten), scans the page's
// text for its ad category and prints one JSON object:
//
//   {"listsFrom": "cache" | "service", "categories": N, "blocked": M,
//    "longestKeyword": L, "counts": [...one per category...], "chosen": I,
//    "category": "<the chosen entry's Name>", "blockedPage": false,
//    "scanMicroseconds": T}
//
// PAGE is a UTF-8 text file, or with --html an HTML file or http(s) URL
// whose body text is read as the toolbar reads a page.
#pragma once

#include <ostream>
#include <string_view>

#include "tools/inspect/Subcommand.h"

namespace tools {

inline constexpr std::string_view kScanUsage = "scan PAGE [--cache FILE] [--html]";

int RunScanSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
