// "Uninstall": starts the uninstaller that the installer left in the
// product's install directory (HotIcon's folder) and lets it run on its own.
#pragma once

#include <cstdint>

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

inline constexpr char kUninstallCommand[] = "VimaruIEToolbar.Uninstall";
inline constexpr char kUninstallerFileName[] = "Uninstall Halvo.exe";
// How long the click waits after the uninstaller started, on the product's
// clock.
inline constexpr std::uint32_t kUninstallerStartWaitMs = 1000;

class UninstallC final : public framework::CommandC {
 public:
  explicit UninstallC(session::ContextC&);

  void Execute(framework::ControlI* control) override;
};

}  // namespace commands
