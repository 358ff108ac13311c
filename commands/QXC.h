// The ads button: shows the ads sidebar beside the tab's page, or hides it
// when it is showing, and keeps the button checked while the user wants it.
#pragma once

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

inline constexpr char kQXCommand[] = "VimaruIEToolbar.QX";

class QXC final : public framework::CommandC {
 public:
  explicit QXC(session::ContextC& context);

  void Execute(framework::ControlI* control) override;

 private:
  // Whether the tab's sidebar band is open and showing.
  bool SidebarShowing() const;

  session::ContextC& context_;
};

}  // namespace commands
