// Writes an operation's request envelope from its descriptors and native
// parameter block: UTF-8, no XML declaration, no white space, the in-fields
// in table order, framed by the generator of the operation's call style.
#pragma once

#include <string>

#include "soap/runtime/SoapDescriptors.h"

namespace soap {

// Appends the whole envelope to `body`. False (with `body` left partly
// written) when a value cannot be written: an enumeration number that has
// no name, a header set with entries (no header values exist to send), or
// memory running out.
[[nodiscard]] bool WriteRequestEnvelope(std::string& body, const SoapOperation& operation,
                                        const void* block);

}  // namespace soap
