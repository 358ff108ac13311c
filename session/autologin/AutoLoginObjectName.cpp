#include "session/autologin/AutoLoginObjectName.h"

#include "platform/text/PercentEncode.h"

namespace session {
namespace {

bool MustEscape(unsigned char byte) {
  return byte <= 0x20 || byte >= 0x7F ||
         std::string_view("\"#%&<>\\^`{|}").find(static_cast<char>(byte)) != std::string_view::npos;
}

}  // namespace

std::string EscapeSsoToken(std::string_view ssoToken) {
  return platform::PercentEncode(ssoToken, MustEscape);
}

std::string AutoLoginObjectName(std::string_view ssoToken, bool autoLogin) {
  return "autologin.aspx?sso=" + EscapeSsoToken(ssoToken) + "&AutoLogin=" + (autoLogin ? "1" : "0");
}

}  // namespace session
