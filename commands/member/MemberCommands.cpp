#include "commands/member/MemberCommands.h"

#include "commands/member/ReferralPages.h"
#include "commands/sites/ProductSite.h"
#include "platform/trace/Contain.h"
#include "session/sidebar/ReferralValues.h"
#include "soap/ServiceConfig.h"

namespace commands {

MemberPageC::MemberPageC(session::ContextC& context, const char* progId, const char* pageWord)
    : CommandC(progId), context_(context), pageWord_(pageWord) {
  SetEnabled(true);
}

void MemberPageC::Execute(framework::ControlI*) {
  platform::Contain("MemberPageC::Execute", 0, [&] {
    context_.Navigate2(MemberPage(pageWord_, context_.IsLoggedIn(), &session::ReadReferralValues),
                       false);
    return 0;
  });
}

RegisterC::RegisterC(session::ContextC& context) : CommandC(kRegisterCommand), context_(context) {
  SetEnabled(true);
}

void RegisterC::Execute(framework::ControlI*) {
  platform::Contain("RegisterC::Execute", 0, [&] {
    context_.Navigate2(RegistrationPage(session::ReadReferralValues()), false);
    return 0;
  });
}

VmailC::VmailC(session::ContextC& context) : CommandC(kVmailCommand), context_(context) {
  SetEnabled(true);
}

void VmailC::Execute(framework::ControlI*) {
  platform::Contain("VmailC::Execute", 0, [&] {
    context_.Navigate2(context_.IsLoggedIn() ? soap::DefaultMailSecureSite() + "/enrollment.php"
                                             : ProductSitePage("default.aspx"),
                       false);
    return 0;
  });
}

}  // namespace commands
