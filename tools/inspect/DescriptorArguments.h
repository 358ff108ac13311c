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
// empty string, or what is wrong with the arguments; a name the operation
// does not take is answered with the names it does take.
std::string FillInParameters(const soap::OperationDescriptor& operation, void* block,
                             const std::vector<std::string_view>& assignments);

// One parameter `NAME=VALUE` can set: its wire name and its type as the
// schema names it ("int", "string", "base64Binary"), "[]" after an array's.
struct InParameter {
  std::string_view name;
  std::string type;
};

// The parameters of `operation` in the order the request carries them.
std::vector<InParameter> InParameters(const soap::OperationDescriptor& operation);

// "offerId (int), cgroup (string), ..."; empty when it takes none.
std::string DescribeInParameters(const soap::OperationDescriptor& operation);

}  // namespace tools
