#include "platform/threading/WorkerThread.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/com/ModuleLifetime.h"
#include "platform/trace/Contain.h"

namespace platform {
namespace {

struct Workers {
  std::mutex mutex;
  std::condition_variable allReturned;
  int running = 0;
};

Workers& TheWorkers() {
  static Workers* const workers = new Workers;  // outlives threads still ending at exit
  return *workers;
}

void WorkerStarted() {
  ModuleLifetime::Lock();
  Workers& workers = TheWorkers();
  std::lock_guard lock(workers.mutex);
  ++workers.running;
}

void WorkerReturned() {
  Workers& workers = TheWorkers();
  {
    std::lock_guard lock(workers.mutex);
    if (--workers.running == 0) workers.allReturned.notify_all();
  }
  ModuleLifetime::Unlock();
}

}  // namespace

bool StartWorkerThread(std::string name, std::function<void()> work) {
  WorkerStarted();
  try {
    std::thread([name = std::move(name), work = std::move(work)] {
      Contain(name, true, [&] {
        work();
        return true;
      });
      WorkerReturned();
    }).detach();
    return true;
  } catch (const std::system_error&) {
    WorkerReturned();
    return false;
  }
}

void WaitForWorkerThreads() {
  Workers& workers = TheWorkers();
  std::unique_lock lock(workers.mutex);
  workers.allReturned.wait(lock, [&] { return workers.running == 0; });
}

int RunningWorkerThreads() {
  Workers& workers = TheWorkers();
  std::lock_guard lock(workers.mutex);
  return workers.running;
}

}  // namespace platform
