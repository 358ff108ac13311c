#include "soap/connector/CrtNumbers.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace soap {
namespace {

// The C conversions read narrow text up to the first character they cannot
// use; anything outside ASCII ends the number, so it can stop the copy.
std::string AsciiPrefix(std::u16string_view text) {
  std::string narrow;
  for (const char16_t unit : text) {
    if (unit == 0 || unit > 0x7F) break;
    narrow.push_back(static_cast<char>(unit));
  }
  return narrow;
}

}  // namespace

int AtoiText(std::u16string_view text) {
  const std::string narrow = AsciiPrefix(text);
  const long long value = std::strtoll(narrow.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double AtofText(std::u16string_view text) {
  const std::string narrow = AsciiPrefix(text);
  return std::strtod(narrow.c_str(), nullptr);
}

}  // namespace soap
