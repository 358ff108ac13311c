#include "tools/regsvr/RegsvrCommandLine.h"

namespace tools::regsvr {
namespace {

bool IsSwitch(std::string_view arg, char letter) {
  return arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') &&
         (arg[1] == letter || arg[1] == letter - 'a' + 'A');
}

}  // namespace

std::optional<RegsvrCommandLine> ParseRegsvrCommandLine(const std::vector<std::string_view>& args,
                                                        std::string& error) {
  RegsvrCommandLine line;
  bool haveModule = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (IsSwitch(arg, 'u')) {
      line.unregister = true;
    } else if (IsSwitch(arg, 's')) {
      line.silent = true;
    } else if (arg == "--root" || arg == "--export") {
      if (i + 1 == args.size()) {
        error = std::string(arg) + " needs a value";
        return std::nullopt;
      }
      (arg == "--root" ? line.root : line.exportFile) = std::string(args[++i]);
    } else if (arg.starts_with("--") || (arg.size() == 2 && arg[0] == '/')) {
      error = "unknown option " + std::string(arg);
      return std::nullopt;
    } else if (haveModule) {
      error = "one module only";
      return std::nullopt;
    } else {
      line.module = std::string(arg);
      haveModule = true;
    }
  }
  if (!haveModule || line.module.empty()) {
    error = "no module named";
    return std::nullopt;
  }
  return line;
}

}  // namespace tools::regsvr
