// A Windows command line is one string that the started program splits
// itself; a POSIX program gets an argument vector. The split follows the
// rules of CommandLineToArgvW, so a helper sees the arguments it would see
// on Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Blanks and tabs separate arguments outside double quotes; 2n backslashes
// before a quote give n backslashes and the quote toggles quoting, 2n+1
// give n backslashes and a literal quote; other backslashes are literal.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace platform
