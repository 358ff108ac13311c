#include "platform/threading/WorkerThread.h"

#include <condition_variable>
#include <list>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/com/ModuleLifetime.h"
#include "platform/trace/Contain.h"

namespace platform {
namespace {

// Threads are kept, not detached, so that a waiter can join them: a thread
// whose work has returned still runs its thread-local destructors (libcurl's
// TLS state among them), and only a join says that it is wholly gone.
struct Worker {
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

bool StartWorkerThread(std::string name, std::function<void()> work) {
  Workers& workers = TheWorkers();
  std::list<Worker> finished;
  ModuleLifetime::Lock();
  std::unique_lock lock(workers.mutex);
  finished = TakeReturned(workers);
  Worker& worker = workers.threads.emplace_back();
  ++workers.running;
  try {
    worker.thread =
        std::thread([&workers, &worker, name = std::move(name), work = std::move(work)] {
          Contain(name, true, [&] {
            work();
            return true;
          });
          {
            std::lock_guard returnedLock(workers.mutex);
            worker.returned = true;
            if (--workers.running == 0) workers.allReturned.notify_all();
          }
          ModuleLifetime::Unlock();
        });
  } catch (const std::system_error&) {
    workers.threads.pop_back();
    --workers.running;
    lock.unlock();
    ModuleLifetime::Unlock();
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

}  // namespace platform
