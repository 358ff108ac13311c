// The names and texts of the member login: the two commands, their button
// and menu texts (the leading spaces and the padding are part of them: the
// texts line up in the toolbar's fixed layout), and the login dialog's
// security questions in list order (the id the service gets is the position
// plus 1).
#pragma once

#include <array>

namespace commands {

inline constexpr char kLoginCommand[] = "VimaruIEToolbar.Login";
inline constexpr char kAutoLoginCommand[] = "VimaruIEToolbar.AutoLogin";

inline constexpr char kLoginCaption[] = "  Login";
inline constexpr char kLogoutCaption[] = "  Log out";
inline constexpr char kAutoLoginActiveText[] = "Auto Login             Active";
inline constexpr char kAutoLoginOffText[] = "Auto Login                Off";

inline constexpr char16_t kLoginFailedMessage[] = u"Login failed. Please try again.";

// The offer the toolbar logs in under.
inline constexpr int kLoginOfferId = 60;

inline constexpr std::array<const char16_t*, 8> kSecurityQuestions = {
    u"Your favorite team",     u"Your school mascot",    u"Mother's maiden name",
    u"Your nickname",          u"Street you grew up on", u"Favorite Pets name",
    u"Best Friends last name", u"City you were born in",
};

}  // namespace commands
