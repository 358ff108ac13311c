// The member's login and logout as the session sees them: the utils
// service's Login call for what the login dialog was given, then the
// session's identity, the stored identity, the web site's auto-login request
// and the login button of every tab; and the logout that undoes them.
//
// Both run on the browser window's thread. The login blocks it for the
// service call, with the wait cursor shown: the login dialog is modal, and
// the member waits for its answer.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

namespace commands {

struct LoginForm {
  std::u16string email;
  std::u16string password;
  int securityQuestionId = 0;  // 0 when no listed question was chosen
  std::u16string securityAnswer;
};

// True when the service knew the member. A failure (also of the call itself)
// tells the member so with a message box owned by `owner`.
bool LogIn(const LoginForm& form, HWND owner);
void LogOut();

// Sets the login button's caption in every tab.
void BroadcastLoginCaption(const char* caption);

}  // namespace commands
