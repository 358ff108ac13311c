// Percent-encoding of bytes for a URL: each byte the caller's rule names
// becomes %XX with upper-case hex digits, every other byte stands as
// itself. The rule differs by where the text goes (a whole URL, a query
// value, a request target); the encoding does not. Decoding turns every
// escape back.
#pragma once

#include <string>
#include <string_view>

namespace platform {

using PercentEncodeRule = bool (*)(unsigned char byte);

std::string PercentEncode(std::string_view bytes, PercentEncodeRule mustEncode);

// The bytes behind %XX escapes (hex digits in either case); a '%' that does
// not start a valid escape stays as it is, as the shell's URL-to-path
// conversion and the res: protocol leave it.
std::string PercentDecode(std::string_view text);

}  // namespace platform
