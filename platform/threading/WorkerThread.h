// A thread that runs one piece of work and ends: an ads request, a totals
// refresh, the auto-login request, the update check. Work like this must
// never run on a browser window's thread, where a slow service would freeze
// the browser.
//
// A worker holds the module alive (a server lock, as DllCanUnloadNow counts
// it) from before it starts until its work has returned, so the module
// cannot be unloaded under a running thread. What the work throws is
// contained and traced as "<name> exception". Whatever the work touches must
// be owned by it (captured by value or shared ownership): the thread may
// outlive every window that asked for it.
//
//   platform::StartWorkerThread("GlobalSinglton::TotalsThread",
//                               [registry = registry_] { registry->RefreshTotals(); });
#pragma once

#include <functional>
#include <string>

namespace platform {

// False when no thread could be started; the work is then dropped unrun and
// the lock given back.
bool StartWorkerThread(std::string name, std::function<void()> work);

// Blocks until every worker started so far has returned. Hosts call it
// before they unload, tests before they check what the workers did.
void WaitForWorkerThreads();

// How many workers are running now.
int RunningWorkerThreads();

}  // namespace platform
