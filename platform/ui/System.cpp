#include "platform/ui/detail/System.h"

#include <algorithm>
#include <atomic>

#include "platform/clock/Clock.h"
#include "platform/threading/WorkerThread.h"

namespace platform::ui::detail {
namespace {

thread_local DWORD lastError = 0;

std::atomic<DWORD> nextThreadId{1};

// Wakes every waiting loop when virtual time moves, so due timers run, and
// when a worker returns, for loops that wait for the workers.
void WakeAllQueues() {
  auto& sys = Sys();
  std::lock_guard lock(sys.mutex);
  ++sys.wakeGeneration;
  for (auto& [id, queue] : sys.threads) queue->wake.notify_all();
}

// Ends a thread's part in the toolkit when the thread exits: pending sends
// to it complete with 0 (their senders would otherwise wait forever) and its
// windows, timers and hooks go away with it.
class QueueHolder {
 public:
  std::shared_ptr<ThreadQueue> queue;

  ~QueueHolder() {
    if (!queue) return;
    auto& sys = Sys();
    std::lock_guard lock(sys.mutex);
    queue->alive = false;
    for (auto& sent : queue->incomingSends) {
      sent->done = true;
      sent->sender->wake.notify_all();
    }
    queue->incomingSends.clear();
    queue->timers.clear();
    queue->hooks.clear();
    std::vector<std::uintptr_t> orphaned;
    for (auto& [key, record] : sys.windows) {
      if (record->threadId == queue->threadId) orphaned.push_back(key);
    }
    for (auto key : orphaned) {
      auto record = sys.windows[key];
      if (auto parent = FindWindowLocked(record->parent))
        std::erase(parent->children, record->handle);
      sys.windows.erase(key);
    }
    sys.threads.erase(queue->threadId);
  }
};

thread_local QueueHolder holder;

}  // namespace

System& Sys() {
  // Never destroyed: threads may still end (and clean up) during static
  // destruction.
  static System* system = [] {
    auto* created = new System;
    static ClockAdvanceListener* listener = new ClockAdvanceListener(WakeAllQueues);
    (void)listener;
    platform::SetWorkerReturnHook(WakeAllQueues);
    return created;
  }();
  return *system;
}

std::shared_ptr<ThreadQueue> CurrentQueue() {
  if (!holder.queue) {
    auto queue = std::make_shared<ThreadQueue>();
    queue->threadId = ::GetCurrentThreadId();
    auto& sys = Sys();
    std::lock_guard lock(sys.mutex);
    sys.threads[queue->threadId] = queue;
    holder.queue = queue;
  }
  return holder.queue;
}

std::shared_ptr<WindowRecord> FindWindowLocked(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& sys = Sys();
  auto it = sys.windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
  return it == sys.windows.end() ? nullptr : it->second;
}

std::shared_ptr<ThreadQueue> FindQueueLocked(DWORD threadId) {
  auto& sys = Sys();
  auto it = sys.threads.find(threadId);
  return it == sys.threads.end() ? nullptr : it->second;
}

std::u16string ClassKey(std::u16string_view name) {
  std::u16string key(name);
  for (auto& c : key) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return key;
}

HWND NewHandleLocked() {
  auto& sys = Sys();
  const auto value = sys.nextHandle;
  sys.nextHandle += 4;
  return reinterpret_cast<HWND>(value);
}

std::shared_ptr<WindowRecord> FindOrFail(HWND hwnd) {
  auto record = FindWindowLocked(hwnd);
  if (!record) ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return record;
}

bool IsClassAtom(LPCWSTR name) { return reinterpret_cast<ULONG_PTR>(name) < 0x10000; }

POINT OriginOnScreenLocked(HWND hwnd) {
  POINT origin{};
  for (auto record = FindWindowLocked(hwnd); record; record = FindWindowLocked(record->parent)) {
    origin.x += record->rect.left;
    origin.y += record->rect.top;
  }
  return origin;
}

bool IsDescendantLocked(HWND ancestor, HWND hwnd) {
  for (auto record = FindWindowLocked(hwnd); record; record = FindWindowLocked(record->parent)) {
    if (record->parent == ancestor) return true;
  }
  return false;
}

std::vector<HWND> TopLevelWindowsLocked() {
  std::vector<HWND> result;
  for (auto& [key, record] : Sys().windows) {
    if (!record->parent) result.push_back(record->handle);
  }
  std::sort(result.begin(), result.end());
  return result;
}

LRESULT CallWindowDirect(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = nullptr;
  {
    auto& sys = Sys();
    std::lock_guard lock(sys.mutex);
    auto record = FindWindowLocked(hwnd);
    if (!record) {
      ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    proc = record->proc;
  }
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

void AttachControlState(HWND hwnd, std::shared_ptr<ControlState> state) {
  auto& sys = Sys();
  std::lock_guard lock(sys.mutex);
  if (auto record = FindWindowLocked(hwnd)) record->control = std::move(state);
}

std::shared_ptr<ControlState> GetControlState(HWND hwnd) {
  auto& sys = Sys();
  std::lock_guard lock(sys.mutex);
  auto record = FindWindowLocked(hwnd);
  return record ? record->control : nullptr;
}

}  // namespace platform::ui::detail

DWORD GetLastError() { return platform::ui::detail::lastError; }
void SetLastError(DWORD error) { platform::ui::detail::lastError = error; }

DWORD GetCurrentThreadId() {
  thread_local const DWORD id = platform::ui::detail::nextThreadId.fetch_add(1);
  return id;
}
