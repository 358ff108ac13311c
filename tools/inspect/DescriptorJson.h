// Writes an operation's out-values as JSON from its descriptor tables, so
// `vimaru-tool call` prints any operation's answer the same way: values
// named as on the wire, records as objects, arrays as arrays, a null
// string as null, numbers as numbers (INF, -INF and NaN as those strings,
// which JSON has no numbers for), enumerations by their wire names and
// base64Binary as base64 text.
#pragma once

#include "soap/runtime/SoapDescriptors.h"
#include "tools/inspect/JsonWriter.h"

namespace tools {

// One object with a member per out-field of `operation` in `block`.
void WriteOutValues(JsonWriter& json, const soap::OperationDescriptor& operation, void* block);

}  // namespace tools
