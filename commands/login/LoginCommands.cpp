#include "commands/login/LoginCommands.h"

#include "commands/login/CDialogLogin.h"
#include "commands/login/LoginTexts.h"
#include "commands/login/MemberLogin.h"
#include "framework/toolband/ToolBandC.h"
#include "platform/trace/Contain.h"
#include "platform/ui/Window.h"
#include "session/GlobalSinglton.h"
#include "session/autologin/AutoLoginRequest.h"
#include "session/settings/ProductSettings.h"
#include "session/tab/ContextC.h"

namespace commands {

LoginC::LoginC(session::ContextC& context) : CommandC(kLoginCommand), context_(context) {
  SetText(session::GlobalSinglton::IsMember() ? kLogoutCaption : kLoginCaption);
  SetEnabled(true);
}

void LoginC::Execute(framework::ControlI*) {
  platform::Contain("LoginC::Execute", 0, [&] {
    if (session::GlobalSinglton::IsMember())
      LogOut();
    else
      OpenLoginDialog();
    return 0;
  });
}

void LoginC::OpenLoginDialog() {
  framework::ToolBandC* toolband = context_.ToolBand();
  HWND toolbar = toolband != nullptr ? toolband->ToolbarWindow() : nullptr;
  RECT toolbarRect{};
  if (toolbar != nullptr) GetWindowRect(toolbar, &toolbarRect);
  // The browser's frame is the window thread's main window.
  CDialogLogin dialog(toolbar != nullptr ? GetAncestor(toolbar, GA_ROOT) : nullptr);
  dialog.SetToolbarRect(toolbarRect);
  dialog.SetContext(&context_);
  dialog.DoModal();
}

AutoLoginC::AutoLoginC(session::ContextC&) : CommandC(kAutoLoginCommand) {
  SetEnabled(true);
  SetText(session::ReadAutoLoggin() ? kAutoLoginActiveText : kAutoLoginOffText);
}

void AutoLoginC::Execute(framework::ControlI*) {
  platform::Contain("AutoLoginC::Execute", 0, [&] {
    const bool turnOn = !session::ReadAutoLoggin();
    const std::string token = session::GlobalSinglton::SsoToken();
    const char* text = turnOn ? kAutoLoginActiveText : kAutoLoginOffText;
    session::WriteAutoLoggin(turnOn);
    SetText(text);
    session::WriteMemberId(turnOn ? session::GlobalSinglton::MemberId() : std::string());
    session::SendAutoLoginRequest(token, turnOn);
    session::WriteSso(turnOn ? token : std::string());
    if (const session::GlobalSinglton::Existing session; session)
      session->BroadcastCommandState(kAutoLoginCommand, true, text);
    return 0;
  });
}

}  // namespace commands
