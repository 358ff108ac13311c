// The object name of the auto-login request, relative to the web site's
// root: "autologin.aspx?sso=<token>&AutoLogin=<1 or 0>".
//
// The token is outside input (the service issued it and the registry kept
// it), so the bytes of it that would end the request line, start another
// parameter or a fragment, or are not URL text at all are percent-encoded:
// bytes up to 0x20, from 0x7F, and " # % & < > \ ^ ` { | }. Everything else
// goes out as written: the site reads base64 tokens with their '+', '/' and
// '=' as they are today.
#pragma once

#include <string>
#include <string_view>

namespace session {

std::string EscapeSsoToken(std::string_view ssoToken);

std::string AutoLoginObjectName(std::string_view ssoToken, bool autoLogin);

}  // namespace session
