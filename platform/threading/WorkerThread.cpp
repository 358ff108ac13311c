#include "platform/threading/WorkerThread.h"

#include <atomic>
#include <condition_variable>
#include <list>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/module/ModuleLifetime.h"
#include "platform/trace/Contain.h"

namespace platform {
namespace {

std::atomic<WorkerReturnHook> returnHook{nullptr};

// Threads are kept, not detached, so that a waiter can join them: a thread
// whose work has returned still runs its thread-local destructors (libcurl's
// TLS state among them), and only a join says that it is wholly gone.
struct Worker {
  HINSTANCE owner = nullptr;
  std::thread thread;
  bool returned = false;
};

struct Workers {
  std::mutex mutex;
  std::condition_variable allReturned;
  std::list<Worker> threads;  // guarded by mutex
  int running = 0;            // guarded by mutex
};

Workers& TheWorkers() {
  static Workers* const workers = new Workers;  // outlives threads still ending at exit
  return *workers;
}

// Takes the threads whose work has returned out of the list, to be joined
// without the lock.
std::list<Worker> TakeReturned(Workers& workers) {
  std::list<Worker> returned;
  for (auto it = workers.threads.begin(); it != workers.threads.end();) {
    auto next = std::next(it);
    if (it->returned) returned.splice(returned.end(), workers.threads, it);
    it = next;
  }
  return returned;
}

void JoinAll(std::list<Worker>& threads) {
  for (Worker& worker : threads) {
    if (worker.thread.joinable()) worker.thread.join();
  }
}

}  // namespace

void SetWorkerReturnHook(WorkerReturnHook hook) { returnHook.store(hook); }

bool StartWorkerThreadFor(HINSTANCE owner, std::string name, std::function<void()> work) {
  Workers& workers = TheWorkers();
  std::list<Worker> finished;
  std::unique_lock lock(workers.mutex);
  finished = TakeReturned(workers);
  Worker& worker = workers.threads.emplace_back();
  worker.owner = owner;
  ++workers.running;
  try {
    worker.thread =
        std::thread([&workers, &worker, name = std::move(name), work = std::move(work)]() mutable {
          Contain(name, true, [&] {
            // The work and what it captured are the owner's code: they are gone
            // before the owner may be unloaded.
            std::function<void()> running = std::move(work);
            running();
            return true;
          });
          {
            std::lock_guard returnedLock(workers.mutex);
            worker.returned = true;
            if (--workers.running == 0) workers.allReturned.notify_all();
          }
          if (WorkerReturnHook hook = returnHook.load()) hook();
        });
  } catch (const std::system_error&) {
    workers.threads.pop_back();
    --workers.running;
    lock.unlock();
    JoinAll(finished);
    return false;
  }
  lock.unlock();
  // These have finished their work; joining only waits out their exit.
  JoinAll(finished);
  return true;
}

void WaitForWorkerThreads() {
  Workers& workers = TheWorkers();
  std::list<Worker> finished;
  {
    std::unique_lock lock(workers.mutex);
    workers.allReturned.wait(lock, [&] { return workers.running == 0; });
    finished = TakeReturned(workers);
  }
  JoinAll(finished);
}

int RunningWorkerThreads() {
  Workers& workers = TheWorkers();
  std::lock_guard lock(workers.mutex);
  return workers.running;
}

int RunningWorkerThreadsOf(HINSTANCE owner) noexcept {
  Workers& workers = TheWorkers();
  std::lock_guard lock(workers.mutex);
  int running = 0;
  for (const Worker& worker : workers.threads) {
    if (worker.owner == owner && !worker.returned) ++running;
  }
  return running;
}

}  // namespace platform
