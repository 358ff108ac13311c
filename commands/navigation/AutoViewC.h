// "Auto View Ads": announced in the main menu as coming soon. The item is
// shown disabled and a click that reaches it anyway does nothing.
#pragma once

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

inline constexpr char kAutoViewCommand[] = "VimaruIEToolbar.AutoView";

class AutoViewC final : public framework::CommandC {
 public:
  explicit AutoViewC(session::ContextC&) : CommandC(kAutoViewCommand) {}

  void Execute(framework::ControlI*) override {}
};

}  // namespace commands
