#include "commands/navigation/UninstallC.h"

#include <optional>
#include <string>

#include "platform/clock/Sleep.h"
#include "platform/process/Process.h"
#include "platform/trace/Contain.h"
#include "session/settings/ProductSettings.h"

namespace commands {

UninstallC::UninstallC(session::ContextC&) : CommandC(kUninstallCommand) { SetEnabled(true); }

void UninstallC::Execute(framework::ControlI*) {
  platform::Contain("UninstallC::Execute", 0, [] {
    const std::string program = session::ReadInstallDirectory() + "\\" + kUninstallerFileName;
    std::optional<platform::ProcessHandle> uninstaller = platform::StartProcess(program, "");
    if (!uninstaller) return 0;
    // The uninstaller removes this very module, so the click never waits for
    // it to end; the pause only gives it a head start before the browser
    // goes on with its own messages.
    platform::Sleep(kUninstallerStartWaitMs);
    return 0;
  });
}

}  // namespace commands
