// vimaru-tool's command line: picks the subcommand named by the first
// argument and runs it under the contract of Subcommand.h. It answers
// `--help` (or `-h`) itself, anywhere among a subcommand's arguments, and
// `vimaru-tool help [NAME]`, with the usage on `out` and exit 0; and it
// contains whatever a subcommand lets escape, so the user reads the tool's
// own words and exit 1, never an exception's text.
#pragma once

#include <ostream>
#include <span>

#include "tools/inspect/Subcommand.h"

namespace tools {

// Every subcommand, in the order the usage lists them.
std::span<const Subcommand> ToolSubcommands();

// `arguments` are the process's arguments after the program name.
int RunToolCommandLine(std::span<const Subcommand> subcommands, SubcommandArguments arguments,
                       std::ostream& out, std::ostream& err);

}  // namespace tools
