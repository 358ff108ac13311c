// Percent-encoding of bytes for a URL: each byte the caller's rule names
// becomes %XX with upper-case hex digits, every other byte stands as
// itself. The rule differs by where the text goes (a whole URL, a query
// value, a request target); the encoding does not.
#pragma once

#include <string>
#include <string_view>

namespace platform {

using PercentEncodeRule = bool (*)(unsigned char byte);

std::string PercentEncode(std::string_view bytes, PercentEncodeRule mustEncode);

}  // namespace platform
