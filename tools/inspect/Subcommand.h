// The shape of one subcommand of vimaru-tool: it gets the arguments after
// its name, writes its JSON to `out` and diagnostics to `err`, and answers
// the process exit code. ToolCommandLine lists them.
//
// Every subcommand keeps one contract (README "Exit codes and errors"):
//   0  done: the JSON is on `out`, nothing on `err`.
//   1  it ran and what it was asked failed: one line on `err` says what;
//      the JSON is still on `out` when the subcommand got as far as making
//      it, and shows the failure where the JSON describes what failed (a
//      load's result, a call's status, error and message).
//   2  bad usage: nothing was loaded or sent, `out` is empty, `err` holds
//      the problem and the usage line.
// `--help` prints the usage on `out` and exits 0 (handled before a
// subcommand runs). No exception's own text ever reaches the user.
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

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace tools
