#include "session/ProcessState.h"

namespace session {

ProcessState& Process() {
  // An object, not a pointer never freed: the module that holds it may be
  // unloaded and loaded again in one process, and its workers have all
  // returned before it may go (DllCanUnloadNow).
  static ProcessState state;
  return state;
}

}  // namespace session
