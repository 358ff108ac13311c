#include "commands/UpdateC.h"

#include <utility>

#include "platform/process/Process.h"
#include "platform/trace/Contain.h"
#include "session/GlobalSinglton.h"
#include "session/update/UpdateCheck.h"

namespace commands {

UpdateC::UpdateC(session::ContextC&) : CommandC(session::kUpdateCommand) {
  if (session::GlobalSinglton::IsUpdateAvailable()) {
    installerPath_ = session::AnnouncedInstallerPath();
    SetEnabled(true);
    SetText(session::kUpdateCaption);
  } else {
    SetEnabled(false);
    SetText(" ");
  }
}

void UpdateC::Execute(framework::ControlI*) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::Contain("UpdateC::Execute", 0, [&] {
    // The installer replaces this module; nothing here may wait for it.
    if (!installerPath_.empty()) (void)platform::StartProcess(installerPath_, "");
    return 0;
  });
}

void UpdateC::SetInstallerPath(std::string path) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  installerPath_ = std::move(path);
}

}  // namespace commands
