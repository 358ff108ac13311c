// Number conversions with the C library's forgiving rules, which the
// service texts and the ads request fields rely on: leading white space,
// an optional sign, then as many digits as there are; text without digits
// reads 0. Unlike atoi itself, an out-of-range value saturates instead of
// being undefined.
#pragma once

#include <string_view>

namespace soap {

int AtoiText(std::u16string_view text);
double AtofText(std::u16string_view text);

}  // namespace soap
