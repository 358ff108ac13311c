// A thread that runs one piece of work and ends: an ads request, a totals
// refresh, the auto-login request, the update check. Work like this must
// never run on a browser window's thread, where a slow service would freeze
// the browser.
//
// A worker counts against the module that started it (its DllCanUnloadNow
// refuses, see platform/module/ModuleLifetime.h) from before it starts until
// its work has returned and been destroyed, so the module cannot be unloaded
// under a running thread: what runs after the count drops is the system's
// own code. What the work throws is
// contained and traced as "<name> exception". Whatever the work touches must
// be owned by it (captured by value or shared ownership): the thread may
// outlive every window that asked for it.
//
//   platform::StartWorkerThread("GlobalSinglton::TotalsThread",
//                               [registry = registry_] { registry->RefreshTotals(); });
#pragma once

#include <functional>
#include <string>

#include "platform/module/ModuleLocal.h"
#include "platform/ui/WinTypes.h"

namespace platform {

// Starts a worker of the calling module (defined by each module's own part,
// platform/module). False when no thread could be started; the work is then
// dropped unrun.
VIMARU_MODULE_LOCAL bool StartWorkerThread(std::string name, std::function<void()> work);

// The same for the worker of `owner`, a module handle.
bool StartWorkerThreadFor(HINSTANCE owner, std::string name, std::function<void()> work);

// Blocks until every worker started so far has returned. Hosts call it
// before they unload, tests before they check what the workers did.
void WaitForWorkerThreads();

// Called on a worker's thread each time a worker has returned (after the
// count has dropped, with no lock held): the window system sets it once so
// that loops waiting for the workers wake instead of polling. Null for none.
using WorkerReturnHook = void (*)();
void SetWorkerReturnHook(WorkerReturnHook hook);

// How many workers are running now, of every module or of `owner`.
int RunningWorkerThreads();
int RunningWorkerThreadsOf(HINSTANCE owner) noexcept;

}  // namespace platform
