// The shape of one subcommand of vimaru-tool: it gets the arguments after
// its name, writes its JSON to `out` and diagnostics to `err`, and answers
// the process exit code (0 done, 1 failed, 2 bad usage). main.cpp lists them.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace tools {

using SubcommandArguments = std::span<const std::string_view>;

struct Subcommand {
  std::string_view name;
  std::string_view usage;
  int (*run)(SubcommandArguments arguments, std::ostream& out, std::ostream& err);
};

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace tools
