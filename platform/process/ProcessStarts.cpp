#include "platform/process/ProcessStarts.h"

#include <mutex>
#include <utility>

namespace platform {
namespace {

// Nobody who starts processes in a loop reads the record, so it is bounded:
// past the limit the oldest starts go.
constexpr std::size_t kMaximumKeptStarts = 1024;

std::mutex& StartsLock() {
  static std::mutex lock;
  return lock;
}

std::vector<ProcessStart>& Starts() {
  static std::vector<ProcessStart> starts;
  return starts;
}

}  // namespace

std::vector<ProcessStart> TakeProcessStarts() {
  const std::lock_guard<std::mutex> hold(StartsLock());
  return std::exchange(Starts(), {});
}

void RecordProcessStart(ProcessStart start) {
  const std::lock_guard<std::mutex> hold(StartsLock());
  std::vector<ProcessStart>& starts = Starts();
  if (starts.size() == kMaximumKeptStarts) starts.erase(starts.begin());
  starts.push_back(std::move(start));
}

}  // namespace platform
