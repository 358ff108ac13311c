#include "session/ContextRegistry.h"

#include <algorithm>

namespace session {

bool ContextRegistry::Add(SessionContextI* context) {
  std::shared_ptr<ThreadTaskWindow> tasks = ThreadTaskWindow::Create();
  if (!tasks) return false;
  std::lock_guard lock(mutex_);
  contexts_.push_back({context, std::move(tasks)});
  return true;
}

void ContextRegistry::Remove(SessionContextI* context) {
  std::shared_ptr<ThreadTaskWindow> tasks;
  {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(contexts_.begin(), contexts_.end(),
                                    [&](const Entry& entry) { return entry.context == context; });
    if (found == contexts_.end()) return;
    tasks = std::move(found->tasks);
    contexts_.erase(found);
  }
  // Work already queued for the context is dropped with its window.
  tasks->Close();
}

std::vector<ContextRegistry::Entry> ContextRegistry::Snapshot() const {
  std::lock_guard lock(mutex_);
  return contexts_;
}

void ContextRegistry::ForEachOnItsThread(const std::function<void(SessionContextI&)>& work) const {
  for (const Entry& entry : Snapshot()) {
    SessionContextI* context = entry.context;
    if (entry.tasks->IsOnOwnThread()) {
      work(*context);
    } else {
      // Runs only while the window is open, and the window closes on the
      // context's thread before the context goes: the pointer stays good.
      entry.tasks->Post([context, work] { work(*context); });
    }
  }
}

bool ContextRegistry::HasContextOnThread(DWORD threadId) const {
  std::lock_guard lock(mutex_);
  return std::any_of(contexts_.begin(), contexts_.end(),
                     [&](const Entry& entry) { return entry.tasks->ThreadId() == threadId; });
}

std::shared_ptr<ThreadTaskWindow> ContextRegistry::TasksOfAnotherThread(DWORD threadId) const {
  std::lock_guard lock(mutex_);
  for (const Entry& entry : contexts_) {
    if (entry.tasks->ThreadId() != threadId) return entry.tasks;
  }
  return nullptr;
}

}  // namespace session
