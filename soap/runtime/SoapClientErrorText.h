// What each SoapClientError means, in the words a person debugging a call
// reads: the client's own cause when it has nothing more specific to say.
#pragma once

#include <string_view>

#include "soap/runtime/SoapTypes.h"

namespace soap {

std::string_view SoapClientErrorMeaning(SoapClientError error);

}  // namespace soap
