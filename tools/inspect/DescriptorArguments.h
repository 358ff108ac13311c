// Turns `NAME=VALUE` arguments of `vimaru-tool call` into an operation's
// in-parameters, driven by the same descriptor tables the proxies use.
// Values are UTF-8 text; a string not given stays null (sent as nil),
// `NAME=` gives an empty string, ints and booleans are read with the wire
// rules ("true"/"false"/"1"/"0"), base64Binary takes base64 text, and an
// array takes one item per repeated `NAME=VALUE`. Omitted ints and booleans
// go out as 0 and false.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "soap/runtime/SoapDescriptors.h"

namespace tools {

// Fills the in-fields of `block` (laid out as `operation` says). Returns an
// empty string, or what is wrong with the arguments.
std::string FillInParameters(const soap::OperationDescriptor& operation, void* block,
                             const std::vector<std::string_view>& assignments);

}  // namespace tools
