#include "tools/inspect/CallSubcommand.h"

#include <string>
#include <vector>

#include "tools/inspect/JsonWriter.h"
#include "tools/inspect/ServiceOperationTable.h"

namespace tools {
namespace {

int Usage(std::ostream& err, std::string_view problem) {
  err << "vimaru-tool call: " << problem << "\nusage: vimaru-tool " << kCallUsage
      << "\noperations:";
  for (const ServiceOperation& operation : ServiceOperations()) {
    err << ' ' << operation.name;
  }
  err << '\n';
  return kExitUsage;
}

}  // namespace

int RunCallSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  if (arguments.empty()) return Usage(err, "no operation given");
  const ServiceOperation* operation = FindServiceOperation(arguments[0]);
  if (operation == nullptr)
    return Usage(err, "unknown operation '" + std::string(arguments[0]) + "'");

  std::string endpoint;
  std::vector<std::string_view> assignments;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--endpoint") {
      if (++i == arguments.size()) return Usage(err, "--endpoint needs a URL");
      endpoint = arguments[i];
    } else {
      assignments.push_back(arguments[i]);
    }
  }
  if (endpoint.empty()) return Usage(err, "--endpoint URL is required");

  JsonWriter json(out);
  const CallRun run = operation->run(*operation->operation, endpoint, assignments, json);
  if (!run.argumentsValid) return Usage(err, run.problem);
  return run.succeeded ? 0 : kExitFailure;
}

}  // namespace tools
