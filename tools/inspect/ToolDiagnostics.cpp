#include "tools/inspect/ToolDiagnostics.h"

#include "tools/inspect/Subcommand.h"

namespace tools {
namespace {

std::string_view NameOf(std::string_view usage) { return usage.substr(0, usage.find(' ')); }

}  // namespace

void PrintUsage(std::ostream& out, std::string_view usage) {
  out << "usage: vimaru-tool " << usage << '\n';
}

int UsageError(std::ostream& err, std::string_view usage, std::string_view problem) {
  err << "vimaru-tool " << NameOf(usage) << ": " << problem << '\n';
  PrintUsage(err, usage);
  return kExitUsage;
}

int Failure(std::ostream& err, std::string_view usage, std::string_view what) {
  err << "vimaru-tool " << NameOf(usage) << ": " << what << '\n';
  return kExitFailure;
}

}  // namespace tools
