// How the subcommands report on standard error, so that all of them read
// the same (the contract in Subcommand.h):
//   vimaru-tool layout: cannot read /tmp/stored.xml
//   vimaru-tool call: --endpoint needs a URL
//   usage: vimaru-tool call OPERATION --endpoint URL [NAME=VALUE ...]
// A subcommand's name is the first word of its usage line.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tools {

// "usage: vimaru-tool <usage>" and a new line.
void PrintUsage(std::ostream& out, std::string_view usage);

// The problem, then the usage line; answers kExitUsage.
int UsageError(std::ostream& err, std::string_view usage, std::string_view problem);

// What failed; answers kExitFailure.
int Failure(std::ostream& err, std::string_view usage, std::string_view what);

// A failure of the tool's own set-up (its temporary drive directories, the
// working directory) in words meant for the user, which the command line
// prints as the subcommand's failure.
class ToolFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tools
