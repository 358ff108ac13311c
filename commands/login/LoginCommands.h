// The member's login button and the auto-login switch of the main menu.
//
// The login button reads "  Login" while nobody is logged in and opens the
// login dialog under the toolbar; while a member is logged in it reads
// "  Log out" and logs them out. The login and logout change its text in
// every tab through the session's broadcast.
//
// The auto-login item shows whether the stored switch is on and flips it:
// a member who turns it on is remembered in the registry (member id and
// token) and the web site is told to sign them in by itself; turning it off
// forgets the stored identity. Who is logged in now does not change.
//
// Both live on the browser window's thread, in their tab's context.
#pragma once

#include "framework/command/CommandC.h"

namespace session {
class ContextC;
}

namespace commands {

class LoginC final : public framework::CommandC {
 public:
  explicit LoginC(session::ContextC& context);

  void Execute(framework::ControlI* control) override;

 private:
  void OpenLoginDialog();

  session::ContextC& context_;
};

class AutoLoginC final : public framework::CommandC {
 public:
  explicit AutoLoginC(session::ContextC& context);

  void Execute(framework::ControlI* control) override;
};

}  // namespace commands
