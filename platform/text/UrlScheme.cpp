#include "platform/text/UrlScheme.h"

namespace platform {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::optional<std::string_view> UrlSchemeOf(std::string_view location) {
  const std::size_t colon = location.find(':');
  if (colon == std::string_view::npos || colon < 2 || !IsAsciiLetter(location[0])) {
    return std::nullopt;
  }
  for (std::size_t i = 1; i < colon; ++i) {
    const char c = location[i];
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') {
      return std::nullopt;
    }
  }
  return location.substr(0, colon);
}

bool HasUrlScheme(std::string_view location, std::string_view lowerCaseScheme) {
  const std::optional<std::string_view> scheme = UrlSchemeOf(location);
  if (!scheme || scheme->size() != lowerCaseScheme.size()) return false;
  for (std::size_t i = 0; i < scheme->size(); ++i) {
    if (LowerAscii((*scheme)[i]) != lowerCaseScheme[i]) return false;
  }
  return true;
}

}  // namespace platform
