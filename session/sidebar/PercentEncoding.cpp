#include "session/sidebar/PercentEncoding.h"

#include "platform/text/CodePage.h"
#include "platform/text/PercentEncode.h"

namespace session {
namespace {

bool IsAsciiAlphanumeric(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         (byte >= '0' && byte <= '9');
}

bool MustEncodeInUrl(unsigned char byte) {
  return byte <= 0x20 || byte >= 0x7F ||
         std::string_view("\"'<>\\`{|}^").find(static_cast<char>(byte)) != std::string_view::npos;
}

bool MustEncodeInQueryValue(unsigned char byte) {
  return !IsAsciiAlphanumeric(byte) && byte != '-' && byte != '.' && byte != '_' && byte != '~';
}

std::u16string PercentEncodeUtf8(std::u16string_view text, platform::PercentEncodeRule mustEncode) {
  // Every byte of the result is ASCII, so widening it unit by unit is exact.
  const std::string encoded = platform::PercentEncode(platform::WideToUtf8(text), mustEncode);
  return std::u16string(encoded.begin(), encoded.end());
}

}  // namespace

std::u16string PercentEncodeUrl(std::u16string_view url) {
  return PercentEncodeUtf8(url, MustEncodeInUrl);
}

std::u16string PercentEncodeQueryValue(std::u16string_view value) {
  return PercentEncodeUtf8(value, MustEncodeInQueryValue);
}

}  // namespace session
