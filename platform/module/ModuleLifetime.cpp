#include "platform/module/ModuleLifetime.h"

#include <atomic>

#include "platform/module/ThisModule.h"
#include "platform/threading/WorkerThread.h"

namespace platform {
namespace {

std::atomic<LONG> gObjects{0};
std::atomic<LONG> gLocks{0};

// Decrements without going below zero, so an unbalanced release cannot make
// a later "nothing outstanding" answer true while something still is.
void DecrementToZero(std::atomic<LONG>& counter) {
  LONG current = counter.load(std::memory_order_relaxed);
  while (current > 0 &&
         !counter.compare_exchange_weak(current, current - 1, std::memory_order_acq_rel)) {
  }
}

}  // namespace

void ModuleLifetime::AddObject() noexcept { gObjects.fetch_add(1, std::memory_order_relaxed); }
void ModuleLifetime::RemoveObject() noexcept { DecrementToZero(gObjects); }
void ModuleLifetime::Lock() noexcept { gLocks.fetch_add(1, std::memory_order_relaxed); }
void ModuleLifetime::Unlock() noexcept { DecrementToZero(gLocks); }
LONG ModuleLifetime::ObjectCount() noexcept { return gObjects.load(std::memory_order_acquire); }
LONG ModuleLifetime::LockCount() noexcept { return gLocks.load(std::memory_order_acquire); }
bool ModuleLifetime::CanUnload() noexcept {
  return ObjectCount() == 0 && LockCount() == 0 && RunningWorkerThreadsOf(ThisModule()) == 0;
}

}  // namespace platform
