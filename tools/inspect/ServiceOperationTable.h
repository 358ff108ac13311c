// Every operation of the ads and utils services as `vimaru-tool call` can
// run it: its name (which also says the service), its descriptor tables and
// a runner that builds the parameter block, makes the call on a fresh
// client and writes the JSON answer.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "soap/runtime/SoapDescriptors.h"
#include "tools/inspect/JsonWriter.h"

namespace tools {

// What a run reports besides its JSON: false when the arguments were bad
// (nothing was sent; `problem` says why); for a call that failed, `problem`
// is the client's cause.
struct CallRun {
  bool argumentsValid = true;
  std::string problem;
  bool succeeded = false;
};

struct ServiceOperation {
  std::string_view name;
  std::string_view service;  // "ads" or "utils"
  const soap::SoapOperation* operation;
  CallRun (*run)(const soap::SoapOperation& operation, std::string_view endpoint,
                 const std::vector<std::string_view>& assignments, JsonWriter& json);
};

std::span<const ServiceOperation> ServiceOperations();
const ServiceOperation* FindServiceOperation(std::string_view name);

}  // namespace tools
