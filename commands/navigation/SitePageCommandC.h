// A toolbar command that opens one page of the product's sites in the tab:
// the page is worked out at each click, so a changed site setting takes
// effect at once. The menu items "Vmail", "Privacy" and "Help" are made of
// it (SitePageCommands.h).
#pragma once

#include <string>

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

class SitePageCommandC : public framework::CommandC {
 public:
  using PageAddress = std::string (*)();

  SitePageCommandC(session::ContextC& context, const char* progId, PageAddress page);

  void Execute(framework::ControlI* control) override;

 private:
  session::ContextC& context_;
  const PageAddress page_;
};

}  // namespace commands
