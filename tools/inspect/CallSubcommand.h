// `vimaru-tool call OPERATION --endpoint URL [NAME=VALUE ...]`: calls one
// operation of the ads or utils service (the operation name says which)
// and prints one JSON object: `status` (the call's HRESULT), `error` (the
// client's SoapClientError code), `result` (the out-values named as on the
// wire, null when the call failed) and, for a SOAP fault, `fault` with
// `code`, `string`, `actor` and `detail`. Exit code 0 when the call
// succeeded, 1 when it failed, 2 for bad usage (nothing sent).
#pragma once

#include <ostream>

#include "tools/inspect/Subcommand.h"

namespace tools {

inline constexpr std::string_view kCallUsage = "call OPERATION --endpoint URL [NAME=VALUE ...]";

int RunCallSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
