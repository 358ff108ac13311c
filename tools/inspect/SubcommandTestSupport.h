// Test support for the subcommands: one run with its exit code and what it
// wrote to each stream.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/inspect/Subcommand.h"

namespace tools::testing {

struct ToolRun {
  int exitCode;
  std::string out;
  std::string err;
};

inline ToolRun RunSubcommand(int (*run)(SubcommandArguments, std::ostream&, std::ostream&),
                             const std::vector<std::string_view>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int exitCode = run(arguments, out, err);
  return {exitCode, out.str(), err.str()};
}

}  // namespace tools::testing
