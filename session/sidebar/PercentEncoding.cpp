#include "session/sidebar/PercentEncoding.h"

#include "platform/text/CodePage.h"

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

template <class MustEncode>
std::u16string PercentEncode(std::u16string_view text, MustEncode mustEncode) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string encoded;
  encoded.reserve(text.size());
  for (char c : platform::WideToUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (mustEncode(byte)) {
      encoded += u'%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += static_cast<char16_t>(byte);
    }
  }
  return encoded;
}

}  // namespace

std::u16string PercentEncodeUrl(std::u16string_view url) {
  return PercentEncode(url, MustEncodeInUrl);
}

std::u16string PercentEncodeQueryValue(std::u16string_view value) {
  return PercentEncode(value, MustEncodeInQueryValue);
}

}  // namespace session
