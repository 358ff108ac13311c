// The session's tab contexts, each with the task window of its thread, behind
// the contexts lock. Shared-owned, because a totals worker delivers to the
// contexts that are open when its call returns, however long that takes and
// whether or not the session still exists then.
//
// The lock guards the vector only: work for the contexts runs after it is
// released, each on its own context's thread, so no thread waits for
// another while holding it.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "session/SessionContextI.h"
#include "session/ThreadTaskWindow.h"

namespace session {

class ContextRegistry {
 public:
  // On the context's own thread. False when its thread cannot take work.
  bool Add(SessionContextI* context);
  // On the context's own thread; removes the first entry for the context.
  void Remove(SessionContextI* context);

  // Runs `work` for every context on that context's thread: at once for the
  // calling thread's contexts, queued for the others'.
  void ForEachOnItsThread(const std::function<void(SessionContextI&)>& work) const;

  bool HasContextOnThread(DWORD threadId) const;
  // The task window of some context on another thread than `threadId`.
  std::shared_ptr<ThreadTaskWindow> TasksOfAnotherThread(DWORD threadId) const;

 private:
  struct Entry {
    SessionContextI* context;
    std::shared_ptr<ThreadTaskWindow> tasks;
  };

  std::vector<Entry> Snapshot() const;

  mutable std::mutex mutex_;
  std::vector<Entry> contexts_;  // guarded by mutex_
};

}  // namespace session
