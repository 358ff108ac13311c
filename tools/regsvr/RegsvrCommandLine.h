// The command line of vimaru-regsvr, the regsvr32 stand-in:
//
//   vimaru-regsvr [/u] [/s] MODULE [--root DIR] [--export FILE]
//
// Switches are case-insensitive and may start with "/" or "-", as regsvr32
// takes them; MODULE is a Windows path in the mapped file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tools::regsvr {

struct RegsvrCommandLine {
  bool unregister = false;  // /u: DllUnregisterServer instead of DllRegisterServer
  bool silent = false;      // /s: no message, only the exit code
  std::string module;
  std::optional<std::string> root;        // host directory kept across runs
  std::optional<std::string> exportFile;  // the registry afterwards, as .reg text
};

// nullopt, with the reason in `error`, for a line that is not one of the
// above (no module, two modules, an unknown switch, an option without its
// value).
std::optional<RegsvrCommandLine> ParseRegsvrCommandLine(const std::vector<std::string_view>& args,
                                                        std::string& error);

inline constexpr std::string_view kRegsvrUsage =
    "usage: vimaru-regsvr [/u] [/s] MODULE [--root DIR] [--export FILE]\n";

}  // namespace tools::regsvr
