#include "commands/navigation/SitePageCommandC.h"

#include "platform/trace/Contain.h"

namespace commands {

SitePageCommandC::SitePageCommandC(session::ContextC& context, const char* progId, PageAddress page)
    : CommandC(progId), context_(context), page_(page) {
  SetEnabled(true);
}

void SitePageCommandC::Execute(framework::ControlI*) {
  platform::Contain("SitePageCommandC::Execute", 0, [&] {
    context_.Navigate2(page_(), false);
    return 0;
  });
}

}  // namespace commands
