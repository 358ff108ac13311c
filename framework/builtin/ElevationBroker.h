// The browser runs toolbars at low integrity, where starting a program is
// refused or sandboxed. The product registers a helper program under the
// browser's elevation policy; the toolbar starts that helper, which runs
// the requested program with the rights of the user. The helper finds the
// hidden "OrvaneShellExecute" window while it works.
#pragma once

#include <string>

namespace framework {

class CommandContainerI;

inline constexpr char kElevationPolicyKey[] =
    "Software\\Microsoft\\Internet Explorer\\Low Rights\\ElevationPolicy\\";
inline constexpr char16_t kBrokerWindowTitle[] = u"OrvaneShellExecute";
// The standard dialog class, which every Windows process has.
inline constexpr char16_t kDialogClassName[] = u"#32770";
inline constexpr int kShowNormal = 5;

struct ShellExecuteRequest {
  std::string verb;
  std::string file;
  std::string arguments;
  std::string directory;
  int showMode = kShowNormal;
  bool wait = false;
};

// "-shellexecute verb##file##arguments##directory##show##wait".
std::string BrokerCommandLine(const ShellExecuteRequest& request);

// Starts the helper registered for the context's elevation policy with the
// request and waits for it to end. Its exit code; -1 when there is no
// policy, no registered helper, the helper does not start or ends without
// an exit code.
int StartThroughBroker(CommandContainerI* context, const ShellExecuteRequest& request);

}  // namespace framework
