// HTTP's case-insensitive tokens (header names, schemes, hosts, codings) are
// ASCII: lower-casing them must not depend on the locale.
#pragma once

#include <string>
#include <string_view>

namespace soap {

inline std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace soap
