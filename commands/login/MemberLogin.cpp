#include "commands/login/MemberLogin.h"

#include "commands/login/LoginTexts.h"
#include "platform/com/ComInit.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Mouse.h"
#include "platform/ui/Window.h"
#include "session/GlobalSinglton.h"
#include "session/autologin/AutoLoginRequest.h"
#include "session/settings/ProductSettings.h"
#include "soap/utils/CUtilsT.h"

namespace commands {
namespace {

// IDC_WAIT, which the SDK spells for the narrow functions unless UNICODE is
// defined.
constexpr int kWaitCursor = 32514;

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(kWaitCursor)))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

// Empty on any failure: an empty member id is what tells a failed login.
Utils::LoginInfo CallLogin(const LoginForm& form) {
  const WaitCursor wait;
  const platform::ScopedComInit apartment;
  Utils::CUtils proxy;
  Utils::LoginInfo info;
  if (FAILED(proxy.Login(form.email, form.password, form.securityQuestionId, form.securityAnswer,
                         kLoginOfferId, &info))) {
    return {};
  }
  return info;
}

void Broadcast(const char* commandName, const std::string& caption) {
  if (const session::GlobalSinglton::Existing session; session) {
    session->BroadcastCommandState(commandName, true, caption);
  }
}

}  // namespace

void BroadcastLoginCaption(const char* caption) { Broadcast(kLoginCommand, caption); }

bool LogIn(const LoginForm& form, HWND owner) {
  const Utils::LoginInfo info = CallLogin(form);
  if (!info.EncMemberId || info.EncMemberId->empty()) {
    session::GlobalSinglton::SetMemberId({});
    BroadcastLoginCaption(kLoginCaption);
    MessageBoxW(owner, platform::AsWchar(kLoginFailedMessage), nullptr, MB_OK);
    return false;
  }
  const std::string memberId = platform::WideToAnsi(*info.EncMemberId);
  const std::string ssoToken = platform::WideToAnsi(info.SSO.value_or(u""));
  session::GlobalSinglton::SetMemberId(memberId);
  // Only a member who chose to stay logged in is remembered; anyone else's
  // stored identity goes, so the next session starts logged out.
  const bool autoLogin = session::ReadAutoLoggin();
  session::WriteMemberId(autoLogin ? memberId : std::string());
  session::WriteSso(autoLogin ? ssoToken : std::string());
  session::GlobalSinglton::SetSsoToken(ssoToken);
  session::SendAutoLoginRequest(ssoToken, autoLogin);
  BroadcastLoginCaption(kLogoutCaption);
  return true;
}

void LogOut() {
  // The web site forgets the member by the token it knew them by.
  const std::string previousToken = session::GlobalSinglton::SsoToken();
  session::WriteMemberId({});
  session::GlobalSinglton::SetMemberId({});
  session::WriteSso({});
  session::SendAutoLoginRequest(previousToken, false);
  session::GlobalSinglton::SetSsoToken({});
  BroadcastLoginCaption(kLoginCaption);
}

}  // namespace commands
