// The calling module's workers count against it, as its DllCanUnloadNow
// asks the system.
#include "platform/module/ThisModule.h"
#include "platform/threading/WorkerThread.h"

namespace platform {

bool StartWorkerThread(std::string name, std::function<void()> work) {
  return StartWorkerThreadFor(ThisModule(), std::move(name), std::move(work));
}

}  // namespace platform
