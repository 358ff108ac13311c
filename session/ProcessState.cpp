#include "session/ProcessState.h"

namespace session {

ProcessState& Process() {
  static ProcessState* const state = new ProcessState;  // workers may still read it at exit
  return *state;
}

}  // namespace session
