#include "tools/inspect/ToolCommandLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry/RegistryTestHooks.h"
#include "tools/inspect/SubcommandTestSupport.h"
#include "tools/inspect/ToolDiagnostics.h"

namespace tools {
namespace {

using testing::ToolRun;

ToolRun RunLine(std::span<const Subcommand> subcommands,
                const std::vector<std::string_view>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int exitCode = RunToolCommandLine(subcommands, arguments, out, err);
  return {exitCode, out.str(), err.str()};
}

ToolRun RunLine(const std::vector<std::string_view>& arguments) {
  return RunLine(ToolSubcommands(), arguments);
}

int Succeeds(SubcommandArguments, std::ostream& out, std::ostream&) {
  out << "{}\n";
  return kExitSuccess;
}
int ThrowsRawText(SubcommandArguments, std::ostream&, std::ostream&) {
  throw std::runtime_error("filesystem error: cannot make absolute path: Invalid argument []");
}
int RunsOutOfMemory(SubcommandArguments, std::ostream&, std::ostream&) { throw std::bad_alloc(); }
int FailsToSetUp(SubcommandArguments, std::ostream&, std::ostream&) {
  throw ToolFailure("cannot create the mapped drives in /tmp/x");
}

constexpr Subcommand kFakes[] = {
    {"ok", "ok [X]", &Succeeds},
    {"raw", "raw", &ThrowsRawText},
    {"memory", "memory", &RunsOutOfMemory},
    {"setup", "setup", &FailsToSetUp},
};

TEST(ToolCommandLine, HelpGoesToStandardOutputAndSucceeds) {
  for (const std::vector<std::string_view>& arguments :
       {std::vector<std::string_view>{"--help"}, {"-h"}, {"help"}}) {
    const ToolRun run = RunLine(kFakes, arguments);
    EXPECT_EQ(run.exitCode, kExitSuccess);
    EXPECT_EQ(run.out,
              "usage:\n  vimaru-tool ok [X]\n  vimaru-tool raw\n  vimaru-tool memory\n"
              "  vimaru-tool setup\n  vimaru-tool help [SUBCOMMAND]\n");
    EXPECT_EQ(run.err, "");
  }
  // Anywhere among a subcommand's arguments, and before anything runs.
  for (const std::vector<std::string_view>& arguments :
       {std::vector<std::string_view>{"raw", "--help"}, {"raw", "a", "-h"}, {"help", "raw"}}) {
    const ToolRun run = RunLine(kFakes, arguments);
    EXPECT_EQ(run.exitCode, kExitSuccess);
    EXPECT_EQ(run.out, "usage: vimaru-tool raw\n");
    EXPECT_EQ(run.err, "");
  }
}

TEST(ToolCommandLine, UnknownOrMissingSubcommandsAreUsageErrors) {
  const struct {
    std::vector<std::string_view> arguments;
    std::string problem;
  } cases[] = {
      {{}, "no subcommand given"},
      {{"bogus"}, "unknown subcommand 'bogus'"},
      {{"help", "bogus"}, "help takes the name of one subcommand"},
      {{"help", "ok", "raw"}, "help takes the name of one subcommand"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunLine(kFakes, c.arguments);
    EXPECT_EQ(run.exitCode, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("vimaru-tool: " + c.problem + "\nusage:\n  vimaru-tool ok [X]\n", 0),
              0u)
        << run.err;
  }
}

// Whatever escapes a subcommand ends as the tool's own words and exit 1.
TEST(ToolCommandLine, EscapingExceptionsNeverShowTheirText) {
  const struct {
    std::string_view name;
    std::string err;
  } cases[] = {
      {"raw", "vimaru-tool raw: stopped by an unexpected internal failure\n"},
      {"memory", "vimaru-tool memory: out of memory\n"},
      {"setup", "vimaru-tool setup: cannot create the mapped drives in /tmp/x\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunLine(kFakes, {c.name});
    EXPECT_EQ(run.exitCode, kExitFailure) << c.name;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_EQ(RunLine(kFakes, {"ok"}).out, "{}\n");
}

// Every subcommand of the tool keeps the usage contract: an argument it does
// not know prints nothing on standard output, and on standard error its
// name, the problem and its usage line; --help is its usage on standard
// output.
TEST(ToolCommandLine, EverySubcommandReportsBadUsageTheSameWay) {
  platform::ScopedRegistryReset registry;
  for (const Subcommand& subcommand : ToolSubcommands()) {
    SCOPED_TRACE(subcommand.name);
    const std::string usageLine = "usage: vimaru-tool " + std::string(subcommand.usage) + "\n";
    const ToolRun bad = RunLine({subcommand.name, "--no-such-option"});
    EXPECT_EQ(bad.exitCode, kExitUsage);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("vimaru-tool " + std::string(subcommand.name) + ": ", 0), 0u)
        << bad.err;
    ASSERT_GE(bad.err.size(), usageLine.size());
    EXPECT_EQ(bad.err.substr(bad.err.size() - usageLine.size()), usageLine);
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 2) << bad.err;

    const ToolRun help = RunLine({subcommand.name, "--help"});
    EXPECT_EQ(help.exitCode, kExitSuccess);
    EXPECT_EQ(help.out, usageLine);
    EXPECT_EQ(help.err, "");
  }
}

}  // namespace
}  // namespace tools
