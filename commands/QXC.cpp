#include "commands/QXC.h"

#include <memory>

#include "platform/trace/Contain.h"
#include "platform/ui/Window.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"

namespace commands {

QXC::QXC(session::ContextC& context) : CommandC(kQXCommand), context_(context) { SetEnabled(true); }

void QXC::Execute(framework::ControlI*) {
  platform::Contain("QXC::Execute", 0, [&] {
    auto* command = dynamic_cast<framework::CommandC*>(context_.FindCommand(kQXCommand));
    if (command == nullptr) return 0;
    const bool hide = SidebarShowing();
    command->SetChecked(hide ? 0 : 1);
    context_.SetAdsOn(!hide);
    context_.ShowQXAds(!hide);
    return 0;
  });
}

bool QXC::SidebarShowing() const {
  session::GlobalSinglton* session = session::GlobalSinglton::Instance();
  if (session == nullptr) return false;
  const std::shared_ptr<session::TabContextC> record = session->GetTabContextByBrowser(Browser());
  session::GlobalSinglton::FreeInst();
  // The window, not the band: the record may still name a band that the
  // browser has closed meanwhile, and its window then answers not visible.
  return record && record->Sidebar() != nullptr && IsWindowVisible(record->SidebarWindow());
}

}  // namespace commands
