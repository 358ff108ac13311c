// vimaru-regsvr: the regsvr32 stand-in (README, "Tools").
#include <cstdio>
#include <string>
#include <vector>

#include "platform/registry/RegistryFile.h"
#include "tools/regsvr/RegsvrCommandLine.h"
#include "tools/regsvr/RegsvrRoot.h"
#include "tools/regsvr/RegsvrRun.h"

int main(int argc, char** argv) {
  using namespace tools::regsvr;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  const auto line = ParseRegsvrCommandLine(args, error);
  if (!line) {
    std::fprintf(stderr, "vimaru-regsvr: %s\n%.*s", error.c_str(),
                 static_cast<int>(kRegsvrUsage.size()), kRegsvrUsage.data());
    return kRegsvrBadArguments;
  }
  RegsvrRoot root(line->root, VIMARU_SERVER_MODULE);
  if (!root.Ready()) {
    std::fprintf(stderr, "vimaru-regsvr: %s\n", root.Error().c_str());
    return kRegsvrBadArguments;
  }
  const RegsvrOutcome outcome = RunRegsvr(*line);
  if (!line->silent) {
    std::fputs(outcome.message.c_str(), outcome.exit == kRegsvrSucceeded ? stdout : stderr);
  }
  if (!root.Keep()) {
    std::fprintf(stderr, "vimaru-regsvr: cannot keep the registry in the root\n");
    return kRegsvrBadArguments;
  }
  if (line->exportFile && platform::SaveRegistryFile(*line->exportFile) != ERROR_SUCCESS) {
    std::fprintf(stderr, "vimaru-regsvr: cannot write %s\n", line->exportFile->c_str());
    return kRegsvrBadArguments;
  }
  return outcome.exit;
}
