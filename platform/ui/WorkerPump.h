// For hosts and tests that run a browser window's thread themselves: keeps
// that thread's messages moving until every worker thread has returned, so
// a worker that sends to this thread's windows (the ads thread telling the
// sidebar) is served instead of running out of time.
#pragma once

#include <chrono>

namespace platform::ui {

// False when `realLimit` of real time passed first: a hang, never a slow
// worker, since workers bound their own waits.
bool RunUntilWorkersDone(std::chrono::milliseconds realLimit);

}  // namespace platform::ui
