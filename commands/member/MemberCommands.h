// The member buttons: "My Money" and "Tell Friends" open the member's pages,
// the mail button the mail service's enrolment, and "Register" the
// registration page (ReferralPages.h says where each leads). The tab context
// shows and hides them as the member's totals come in.
#pragma once

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

using session::kMoneyCommand;
using session::kRegisterCommand;
using session::kTellFriendsCommand;
using session::kVmailCommand;

class MemberPageC : public framework::CommandC {
 public:
  MemberPageC(session::ContextC& context, const char* progId, const char* pageWord);

  void Execute(framework::ControlI* control) override;

 private:
  session::ContextC& context_;
  const char* const pageWord_;
};

class MyMoneyC final : public MemberPageC {
 public:
  explicit MyMoneyC(session::ContextC& context) : MemberPageC(context, kMoneyCommand, "mymoney") {}
};

class TellFriendsC final : public MemberPageC {
 public:
  explicit TellFriendsC(session::ContextC& context)
      : MemberPageC(context, kTellFriendsCommand, "friends") {}
};

// Registration is for visitors: who is logged in does not change its page.
class RegisterC final : public framework::CommandC {
 public:
  explicit RegisterC(session::ContextC& context);

  void Execute(framework::ControlI* control) override;

 private:
  session::ContextC& context_;
};

// A logged-in member goes to the mail service's enrolment (over https);
// anyone else to the product's home page.
class VmailC final : public framework::CommandC {
 public:
  explicit VmailC(session::ContextC& context);

  void Execute(framework::ControlI* control) override;

 private:
  session::ContextC& context_;
};

}  // namespace commands
