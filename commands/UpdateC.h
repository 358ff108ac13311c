// The Update button: blank and disabled until the update check has an
// installer in place, then "  Update" in every tab; pressing it starts that
// installer and leaves it to run on its own.
//
// Lives on its tab's thread, where the update check's announcement reaches
// it too.
#pragma once

#include <string>

#include "framework/command/CommandC.h"
#include "platform/threading/ThreadChecker.h"
#include "session/tab/ContextC.h"
#include "session/update/InstallerCommandI.h"

namespace commands {

class UpdateC final : public framework::CommandC, public session::InstallerCommandI {
 public:
  // Shown at once when the installer was announced before the tab opened.
  explicit UpdateC(session::ContextC& context);

  // Starts the installer with no command line; neither waits nor reports.
  void Execute(framework::ControlI* control) override;

  void SetInstallerPath(std::string path) override;
  const std::string& InstallerPath() const { return installerPath_; }

 private:
  std::string installerPath_;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace commands
