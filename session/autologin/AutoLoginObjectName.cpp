#include "session/autologin/AutoLoginObjectName.h"

namespace session {
namespace {

bool MustEscape(unsigned char byte) {
  return byte <= 0x20 || byte >= 0x7F ||
         std::string_view("\"#%&<>\\^`{|}").find(static_cast<char>(byte)) != std::string_view::npos;
}

}  // namespace

std::string EscapeSsoToken(std::string_view ssoToken) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(ssoToken.size());
  for (char c : ssoToken) {
    const auto byte = static_cast<unsigned char>(c);
    if (MustEscape(byte)) {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0F];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string AutoLoginObjectName(std::string_view ssoToken, bool autoLogin) {
  return "autologin.aspx?sso=" + EscapeSsoToken(ssoToken) + "&AutoLogin=" + (autoLogin ? "1" : "0");
}

}  // namespace session
