// `vimaru-tool call OPERATION --endpoint URL [NAME=VALUE ...]`: calls one
// operation of the ads or utils service (the operation name says which)
// and prints one JSON object: `status` (the call's HRESULT), `error` (the
// client's SoapClientError code), `message` (why the call failed, null when
// it succeeded), `result` (the out-values named as on the wire, null when
// the call failed) and, for a SOAP fault, `fault` with `code`, `string`,
// `actor` and `detail`. `vimaru-tool call --list` prints every operation
// with its service and the names and types of its parameters. Exit codes
// as for every subcommand (Subcommand.h); an endpoint that is not an
// absolute URL is bad usage, one the client cannot use (https://) a failed
// call.
#pragma once

#include <ostream>

#include "tools/inspect/Subcommand.h"

namespace tools {

inline constexpr std::string_view kCallUsage =
    "call OPERATION --endpoint URL [NAME=VALUE ...] | --list";

int RunCallSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
