// Keywords, roots, types and variable names of a script compare without
// regard to ASCII case, as ATL compares them.
#pragma once

#include <cctype>
#include <string_view>

namespace platform::registrar_detail {

inline bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace platform::registrar_detail
