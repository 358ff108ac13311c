#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/ElevationBroker.h"
#include "framework/builtin/TextExpansion.h"

namespace framework {

void ShellExecuteCmdC::ExecuteWithParameter(const std::string& parameter) {
  ShellExecuteRequest request;
  request.file = ExpandPlaceholders(parameter, Context());
  lastExitCode_ = StartThroughBroker(Context(), request);
}

}  // namespace framework
