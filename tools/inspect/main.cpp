// vimaru-tool: inspects the product's pieces for the people who debug it.
// Each subcommand lives in its own file and is listed once in the table
// below; its JSON output is part of the product's documented interface.
#include <array>
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "tools/inspect/CallSubcommand.h"
#include "tools/inspect/ConnectorSubcommands.h"
#include "tools/inspect/LayoutSubcommand.h"
#include "tools/inspect/PageSubcommand.h"
#include "tools/inspect/ScanSubcommand.h"
#include "tools/inspect/SidebarSubcommand.h"
#include "tools/inspect/Subcommand.h"
#include "tools/inspect/ToolbarSubcommand.h"

namespace {

constexpr std::array kSubcommands = {
    tools::Subcommand{"layout", tools::kLayoutUsage, &tools::RunLayoutSubcommand},
    tools::Subcommand{"toolbar", tools::kToolbarUsage, &tools::RunToolbarSubcommand},
    tools::Subcommand{"page", tools::kPageUsage, &tools::RunPageSubcommand},
    tools::Subcommand{"call", tools::kCallUsage, &tools::RunCallSubcommand},
    tools::Subcommand{"totals", tools::kTotalsUsage, &tools::RunTotalsSubcommand},
    tools::Subcommand{"categories", tools::kCategoriesUsage, &tools::RunCategoriesSubcommand},
    tools::Subcommand{"blocked", tools::kBlockedUsage, &tools::RunBlockedSubcommand},
    tools::Subcommand{"ads", tools::kAdsUsage, &tools::RunAdsSubcommand},
    tools::Subcommand{"scan", tools::kScanUsage, &tools::RunScanSubcommand},
    tools::Subcommand{"sidebar", tools::kSidebarUsage, &tools::RunSidebarSubcommand},
};

int PrintUsage() {
  std::cerr << "usage:\n";
  for (const tools::Subcommand& subcommand : kSubcommands) {
    std::cerr << "  vimaru-tool " << subcommand.usage << '\n';
  }
  return tools::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return PrintUsage();
  const std::string_view name = argv[1];
  const std::vector<std::string_view> arguments(argv + 2, argv + argc);
  for (const tools::Subcommand& subcommand : kSubcommands) {
    if (subcommand.name != name) continue;
    try {
      return subcommand.run(arguments, std::cout, std::cerr);
    } catch (const std::exception& failure) {
      std::cerr << "vimaru-tool " << name << ": " << failure.what() << '\n';
      return tools::kExitFailure;
    }
  }
  return PrintUsage();
}
