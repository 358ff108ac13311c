#include "tools/inspect/CallSubcommand.h"

#include <string>
#include <vector>

#include "platform/text/UrlScheme.h"
#include "tools/inspect/DescriptorArguments.h"
#include "tools/inspect/JsonWriter.h"
#include "tools/inspect/ServiceOperationTable.h"
#include "tools/inspect/ToolDiagnostics.h"

namespace tools {
namespace {

// "scheme://" and something after it. Without a scheme the client would
// take "notaurl" for a host name and go looking for it; a scheme it cannot
// speak is left for the call to report, as the product would meet it.
bool IsAbsoluteUrl(std::string_view url) {
  const std::optional<std::string_view> scheme = platform::UrlSchemeOf(url);
  return scheme && url.substr(scheme->size()).starts_with("://") && url.size() > scheme->size() + 3;
}

int ListOperations(std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject();
  json.Key("operations");
  json.BeginArray();
  for (const ServiceOperation& operation : ServiceOperations()) {
    json.BeginObject();
    json.Key("name");
    json.Utf8String(operation.name);
    json.Key("service");
    json.Utf8String(operation.service);
    json.Key("parameters");
    json.BeginArray();
    for (const InParameter& parameter : InParameters(*operation.operation->body)) {
      json.BeginObject();
      json.Key("name");
      json.Utf8String(parameter.name);
      json.Key("type");
      json.Utf8String(parameter.type);
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return kExitSuccess;
}

}  // namespace

int RunCallSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  if (arguments.empty()) return UsageError(err, kCallUsage, "no OPERATION given");
  if (arguments[0] == "--list") {
    if (arguments.size() > 1) return UsageError(err, kCallUsage, "--list takes no arguments");
    return ListOperations(out);
  }
  const ServiceOperation* operation = FindServiceOperation(arguments[0]);
  if (operation == nullptr) {
    return UsageError(err, kCallUsage,
                      "unknown operation '" + std::string(arguments[0]) +
                          "' (vimaru-tool call --list names them)");
  }

  std::string endpoint;
  std::vector<std::string_view> assignments;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--endpoint") {
      if (++i == arguments.size()) return UsageError(err, kCallUsage, "--endpoint needs a URL");
      endpoint = arguments[i];
    } else {
      assignments.push_back(arguments[i]);
    }
  }
  if (endpoint.empty()) return UsageError(err, kCallUsage, "--endpoint URL is required");
  if (!IsAbsoluteUrl(endpoint)) {
    return UsageError(err, kCallUsage,
                      "--endpoint needs an absolute URL such as "
                      "http://127.0.0.1:8080/qxadsex.asmx, not '" +
                          endpoint + "'");
  }

  JsonWriter json(out);
  const CallRun run = operation->run(*operation->operation, endpoint, assignments, json);
  if (!run.argumentsValid) return UsageError(err, kCallUsage, run.problem);
  if (!run.succeeded)
    return Failure(err, kCallUsage, std::string(operation->name) + " failed: " + run.problem);
  return kExitSuccess;
}

}  // namespace tools
