#include "tools/inspect/ToolCommandLine.h"

#include <algorithm>
#include <array>

#include "platform/trace/Contain.h"
#include "tools/inspect/CallSubcommand.h"
#include "tools/inspect/ConnectorSubcommands.h"
#include "tools/inspect/LayoutSubcommand.h"
#include "tools/inspect/PageSubcommand.h"
#include "tools/inspect/ScanSubcommand.h"
#include "tools/inspect/SidebarSubcommand.h"
#include "tools/inspect/ToolDiagnostics.h"
#include "tools/inspect/ToolbarSubcommand.h"

namespace tools {
namespace {

constexpr std::array kSubcommands = {
    Subcommand{"layout", kLayoutUsage, &RunLayoutSubcommand},
    Subcommand{"toolbar", kToolbarUsage, &RunToolbarSubcommand},
    Subcommand{"page", kPageUsage, &RunPageSubcommand},
    Subcommand{"call", kCallUsage, &RunCallSubcommand},
    Subcommand{"totals", kTotalsUsage, &RunTotalsSubcommand},
    Subcommand{"categories", kCategoriesUsage, &RunCategoriesSubcommand},
    Subcommand{"blocked", kBlockedUsage, &RunBlockedSubcommand},
    Subcommand{"ads", kAdsUsage, &RunAdsSubcommand},
    Subcommand{"scan", kScanUsage, &RunScanSubcommand},
    Subcommand{"sidebar", kSidebarUsage, &RunSidebarSubcommand},
};

// What Contain answers for a subcommand that let an exception out; never an
// exit code a subcommand returns.
constexpr int kEscapedException = -1;
constexpr int kRanOutOfMemory = -2;

bool IsHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

void PrintAllUsages(std::ostream& out, std::span<const Subcommand> subcommands) {
  out << "usage:\n";
  for (const Subcommand& subcommand : subcommands) {
    out << "  vimaru-tool " << subcommand.usage << '\n';
  }
  out << "  vimaru-tool help [SUBCOMMAND]\n";
}

const Subcommand* Find(std::span<const Subcommand> subcommands, std::string_view name) {
  const auto found =
      std::find_if(subcommands.begin(), subcommands.end(),
                   [&](const Subcommand& subcommand) { return subcommand.name == name; });
  return found == subcommands.end() ? nullptr : &*found;
}

int ToolUsageError(std::ostream& err, std::span<const Subcommand> subcommands,
                   std::string_view problem) {
  err << "vimaru-tool: " << problem << '\n';
  PrintAllUsages(err, subcommands);
  return kExitUsage;
}

int Help(std::span<const Subcommand> subcommands, SubcommandArguments topics, std::ostream& out,
         std::ostream& err) {
  if (topics.empty()) {
    PrintAllUsages(out, subcommands);
    return kExitSuccess;
  }
  const Subcommand* subcommand = topics.size() == 1 ? Find(subcommands, topics[0]) : nullptr;
  if (subcommand == nullptr) {
    return ToolUsageError(err, subcommands, "help takes the name of one subcommand");
  }
  PrintUsage(out, subcommand->usage);
  return kExitSuccess;
}

int RunContained(const Subcommand& subcommand, SubcommandArguments arguments, std::ostream& out,
                 std::ostream& err) {
  const int exitCode = platform::Contain("vimaru-tool " + std::string(subcommand.name),
                                         kEscapedException, kRanOutOfMemory, [&] {
                                           try {
                                             return subcommand.run(arguments, out, err);
                                           } catch (const ToolFailure& failure) {
                                             return Failure(err, subcommand.usage, failure.what());
                                           }
                                         });
  if (exitCode == kRanOutOfMemory) return Failure(err, subcommand.usage, "out of memory");
  if (exitCode == kEscapedException) {
    return Failure(err, subcommand.usage, "stopped by an unexpected internal failure");
  }
  return exitCode;
}

}  // namespace

std::span<const Subcommand> ToolSubcommands() { return kSubcommands; }

int RunToolCommandLine(std::span<const Subcommand> subcommands, SubcommandArguments arguments,
                       std::ostream& out, std::ostream& err) {
  if (arguments.empty()) return ToolUsageError(err, subcommands, "no subcommand given");
  const std::string_view name = arguments[0];
  if (name == "help" || IsHelp(name)) return Help(subcommands, arguments.subspan(1), out, err);
  const Subcommand* subcommand = Find(subcommands, name);
  if (subcommand == nullptr) {
    return ToolUsageError(err, subcommands, "unknown subcommand '" + std::string(name) + "'");
  }
  const SubcommandArguments rest = arguments.subspan(1);
  if (std::any_of(rest.begin(), rest.end(), IsHelp)) {
    PrintUsage(out, subcommand->usage);
    return kExitSuccess;
  }
  return RunContained(*subcommand, rest, out, err);
}

}  // namespace tools
