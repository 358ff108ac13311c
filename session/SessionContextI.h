// What the session needs of a tab's context: to show the member's totals on
// the tab's buttons, and the tab's commands, looked up by name. The session
// calls both only on the context's own thread.
#pragma once

#include "framework/command/CommandContainerI.h"
#include "soap/connector/ConnectorRecords.h"

namespace session {

class SessionContextI {
 public:
  virtual ~SessionContextI() = default;
  virtual void UpdateLogginStatus(const soap::MemberTotals& totals) = 0;
  virtual framework::CommandContainerI& Commands() = 0;
};

}  // namespace session
