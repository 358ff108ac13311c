#include "platform/ui/MessageQueue.h"

#include <algorithm>
#include <chrono>

#include "platform/clock/Clock.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/KeyboardHooks.h"
#include "platform/ui/detail/System.h"
#include "platform/ui/testing/TimedSends.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

constexpr int HC_ACTION_CODE = 0;
constexpr int HC_NOREMOVE_CODE = 3;
constexpr std::uint64_t kMinimumTimerPeriodMs = 10;

thread_local int inSendDepth = 0;

struct Filter {
  HWND hwnd;
  UINT min;
  UINT max;

  bool Matches(const MSG& msg) const {
    if (hwnd && msg.hwnd != hwnd && !IsDescendantOf(msg.hwnd)) return false;
    if (min == 0 && max == 0) return true;
    return msg.message >= min && msg.message <= max;
  }
  bool IsDescendantOf(HWND candidate) const {
    for (auto record = FindWindowLocked(candidate); record;
         record = FindWindowLocked(record->parent)) {
      if (record->parent == hwnd) return true;
    }
    return false;
  }
};

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP;
}

bool IsVisibleLocked(const std::shared_ptr<WindowRecord>& window) {
  for (auto record = window; record; record = FindWindowLocked(record->parent)) {
    if (!(record->style & WS_VISIBLE)) return false;
  }
  return true;
}

// Runs one message another thread is sending to us and wakes its sender.
void HandleOneSend(Lock& lock, ThreadQueue& queue) {
  auto sent = queue.incomingSends.front();
  queue.incomingSends.pop_front();
  if (!FindWindowLocked(sent->hwnd)) {
    sent->done = true;
    sent->sender->wake.notify_all();
    return;
  }
  lock.unlock();
  ++inSendDepth;
  const LRESULT result = CallWindowDirect(sent->hwnd, sent->message, sent->wParam, sent->lParam);
  --inSendDepth;
  lock.lock();
  sent->result = result;
  sent->handled = true;
  sent->done = true;
  sent->sender->wake.notify_all();
}

void UpdateThreadKeyState(ThreadQueue& queue, const MSG& msg) {
  const auto key = static_cast<BYTE>(msg.wParam & 0xFF);
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    if (!(queue.keyState[key] & 0x80)) queue.keyState[key] ^= 0x01;
    queue.keyState[key] |= 0x80;
  } else {
    queue.keyState[key] &= static_cast<BYTE>(~0x80);
  }
}

// One retrieval step in Windows' priority order. Called and returns with the
// lock held; unlocks only to run sent messages and keyboard hooks.
bool PeekLocked(Lock& lock, ThreadQueue& queue, MSG* msg, const Filter& filter, bool remove) {
  auto& sys = Sys();
  for (;;) {
    if (!queue.incomingSends.empty()) {
      HandleOneSend(lock, queue);
      continue;
    }
    auto posted = std::find_if(queue.posted.begin(), queue.posted.end(),
                               [&](const MSG& m) { return filter.Matches(m); });
    if (posted != queue.posted.end()) {
      *msg = *posted;
      if (remove) queue.posted.erase(posted);
      if (IsKeyMessage(msg->message)) {
        if (remove) UpdateThreadKeyState(queue, *msg);
        lock.unlock();
        const bool swallowed =
            CallKeyboardHooks(remove ? HC_ACTION_CODE : HC_NOREMOVE_CODE, msg->wParam, msg->lParam);
        lock.lock();
        if (swallowed && remove) continue;
      }
      return true;
    }
    if (queue.quitPosted) {
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, platform::GetTickCount(),
                 {}};
      if (remove) queue.quitPosted = false;
      return true;
    }
    std::shared_ptr<WindowRecord> toPaint;
    for (auto& [key, record] : sys.windows) {
      if (record->threadId != queue.threadId || !record->needsPaint || !IsVisibleLocked(record))
        continue;
      if (!toPaint || record->handle < toPaint->handle) toPaint = record;
    }
    if (toPaint) {
      MSG paint{toPaint->handle, WM_PAINT, 0, 0, platform::GetTickCount(), {}};
      if (filter.Matches(paint)) {
        *msg = paint;
        if (remove) toPaint->needsPaint = false;
        return true;
      }
    }
    const std::uint64_t now = platform::TickCount64();
    TimerRecord* due = nullptr;
    for (auto& timer : queue.timers) {
      if (timer.due > now) continue;
      MSG tick{timer.hwnd, WM_TIMER, timer.id, 0, 0, {}};
      if (!filter.Matches(tick)) continue;
      if (!due || timer.due < due->due || (timer.due == due->due && timer.order < due->order))
        due = &timer;
    }
    if (due) {
      *msg = MSG{due->hwnd,
                 WM_TIMER,
                 due->id,
                 reinterpret_cast<LPARAM>(due->proc),
                 static_cast<DWORD>(now),
                 {}};
      if (remove) due->due = now + due->period;
      return true;
    }
    return false;
  }
}

bool PostTo(ThreadQueue& queue, const MSG& msg) {
  if (!queue.alive) return false;
  queue.posted.push_back(msg);
  queue.wake.notify_all();
  return true;
}

// Queues a message for the window's thread; null when the window is gone
// or its thread has ended. Called with the lock held.
std::shared_ptr<SentMessage> QueueSendLocked(const std::shared_ptr<ThreadQueue>& me,
                                             const WindowRecord& record, UINT message,
                                             WPARAM wParam, LPARAM lParam) {
  auto target = FindQueueLocked(record.threadId);
  if (!target || !target->alive) return nullptr;
  auto sent = std::make_shared<SentMessage>();
  sent->hwnd = record.handle;
  sent->message = message;
  sent->wParam = wParam;
  sent->lParam = lParam;
  sent->sender = me;
  target->incomingSends.push_back(sent);
  target->wake.notify_all();
  return sent;
}

// Withdraws a send its sender gave up on, unless its handling has begun.
void WithdrawSendLocked(const std::shared_ptr<SentMessage>& sent, DWORD threadId) {
  if (auto target = FindQueueLocked(threadId)) std::erase(target->incomingSends, sent);
}

}  // namespace

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto me = CurrentQueue();
  auto& sys = Sys();
  Lock lock(sys.mutex);
  auto record = FindWindowLocked(hwnd);
  if (!record) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (record->threadId == me->threadId) {
    lock.unlock();
    return CallWindowDirect(hwnd, message, wParam, lParam);
  }
  auto sent = QueueSendLocked(me, *record, message, wParam, lParam);
  if (!sent) return 0;
  while (!sent->done) {
    if (!me->incomingSends.empty()) {
      HandleOneSend(lock, *me);
      continue;
    }
    me->wake.wait(lock);
  }
  return sent->result;
}

LRESULT SendMessageTimeoutW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags,
                            UINT uTimeout, PDWORD_PTR lpdwResult) {
  auto me = CurrentQueue();
  auto& sys = Sys();
  Lock lock(sys.mutex);
  auto record = FindWindowLocked(hWnd);
  if (!record) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (record->threadId == me->threadId) {
    lock.unlock();
    const LRESULT result = CallWindowDirect(hWnd, Msg, wParam, lParam);
    if (lpdwResult) *lpdwResult = static_cast<DWORD_PTR>(result);
    return 1;
  }
  const DWORD targetThread = record->threadId;
  auto sent = QueueSendLocked(me, *record, Msg, wParam, lParam);
  if (!sent) return 0;
  // Read under the lock that queued the message, so a test that saw this
  // send waiting knows its limit is counted from before its own advance.
  const std::uint64_t deadline = platform::TickCount64() + uTimeout;
  ++sys.timedSendsWaiting;
  sys.timedSendsChanged.notify_all();
  while (!sent->done) {
    if (!(fuFlags & SMTO_BLOCK) && !me->incomingSends.empty()) {
      HandleOneSend(lock, *me);
      continue;
    }
    const std::uint64_t now = platform::TickCount64();
    if (now >= deadline) break;
    if (platform::IsClockVirtual()) {
      me->wake.wait(lock);  // every advance wakes the queues
    } else {
      me->wake.wait_for(lock, std::chrono::milliseconds(deadline - now));
    }
  }
  --sys.timedSendsWaiting;
  sys.timedSendsChanged.notify_all();
  if (!sent->done) {
    WithdrawSendLocked(sent, targetThread);
    ::SetLastError(ERROR_TIMEOUT);
    return 0;
  }
  if (!sent->handled) return 0;
  if (lpdwResult) *lpdwResult = static_cast<DWORD_PTR>(sent->result);
  return 1;
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return PostThreadMessageW(GetCurrentThreadId(), message, wParam, lParam);
  CurrentQueue();
  Lock lock(Sys().mutex);
  auto record = FindWindowLocked(hwnd);
  if (!record) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  auto queue = FindQueueLocked(record->threadId);
  return queue && PostTo(*queue, MSG{hwnd, message, wParam, lParam, platform::GetTickCount(), {}});
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  if (threadId == GetCurrentThreadId()) CurrentQueue();
  Lock lock(Sys().mutex);
  auto queue = FindQueueLocked(threadId);
  if (!queue) {
    ::SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return PostTo(*queue, MSG{nullptr, message, wParam, lParam, platform::GetTickCount(), {}});
}

void PostQuitMessage(int exitCode) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  queue->quitPosted = true;
  queue->quitCode = exitCode;
  queue->wake.notify_all();
}

BOOL InSendMessage() { return inSendDepth > 0; }

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) return FALSE;
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  return PeekLocked(lock, *queue, msg, Filter{hwnd, filterMin, filterMax},
                    (removeFlags & PM_REMOVE) != 0);
}

namespace platform::ui::detail {

std::uint64_t WakeGeneration() {
  Lock lock(Sys().mutex);
  return Sys().wakeGeneration;
}

void WaitForInputOrWake(std::uint64_t sinceGeneration,
                        std::chrono::steady_clock::time_point realDeadline) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  // A quit left in place (RunUntilIdle leaves it) is no input to handle here.
  const auto hasInput = [&] {
    MSG next{};
    return PeekLocked(lock, *queue, &next, Filter{nullptr, 0, 0}, false) &&
           next.message != WM_QUIT;
  };
  while (Sys().wakeGeneration == sinceGeneration && !hasInput() &&
         std::chrono::steady_clock::now() < realDeadline) {
    auto until = realDeadline;
    std::uint64_t nextDue = UINT64_MAX;
    for (auto& timer : queue->timers) nextDue = std::min(nextDue, timer.due);
    if (nextDue != UINT64_MAX && !platform::IsClockVirtual()) {
      const std::uint64_t now = platform::TickCount64();
      until = std::min(until, std::chrono::steady_clock::now() +
                                  std::chrono::milliseconds(nextDue > now ? nextDue - now : 0));
    }
    queue->wake.wait_until(lock, until);
  }
}

}  // namespace platform::ui::detail

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) return -1;
  auto queue = CurrentQueue();
  const Filter filter{hwnd, filterMin, filterMax};
  Lock lock(Sys().mutex);
  while (!PeekLocked(lock, *queue, msg, filter, true)) {
    std::uint64_t nextDue = UINT64_MAX;
    for (auto& timer : queue->timers) nextDue = std::min(nextDue, timer.due);
    if (nextDue == UINT64_MAX || platform::IsClockVirtual()) {
      queue->wake.wait(lock);
    } else {
      const std::uint64_t now = platform::TickCount64();
      queue->wake.wait_for(lock, std::chrono::milliseconds(nextDue > now ? nextDue - now : 0));
    }
  }
  return msg->message == WM_QUIT ? 0 : 1;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  const WCHAR character = CharacterForKey(static_cast<int>(msg->wParam));
  if (!character) return FALSE;
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  // Posted ahead of everything, so the character arrives before the key-up
  // that is already queued, as the real input queue orders them.
  queue->posted.push_front(MSG{msg->hwnd,
                               msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR,
                               static_cast<WPARAM>(character),
                               msg->lParam,
                               msg->time,
                               {}});
  return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam,
                                             platform::GetTickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  {
    Lock lock(Sys().mutex);
    auto record = FindWindowLocked(msg->hwnd);
    if (!record || record->threadId != GetCurrentThreadId()) return 0;
  }
  return CallWindowDirect(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC callback) {
  auto queue = CurrentQueue();
  auto& sys = Sys();
  Lock lock(sys.mutex);
  if (hwnd) {
    auto record = FindWindowLocked(hwnd);
    if (!record) {
      ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    if (record->threadId != queue->threadId) {
      ::SetLastError(kErrorAccessDenied);
      return 0;
    }
  }
  auto existing =
      std::find_if(queue->timers.begin(), queue->timers.end(),
                   [&](const TimerRecord& timer) { return timer.hwnd == hwnd && timer.id == id; });
  TimerRecord timer;
  timer.hwnd = hwnd;
  timer.id = existing != queue->timers.end() || hwnd ? id : sys.nextThreadTimerId++;
  timer.period = std::max<std::uint64_t>(elapseMs, kMinimumTimerPeriodMs);
  timer.due = platform::TickCount64() + timer.period;
  timer.proc = callback;
  timer.order = sys.nextTimerOrder++;
  if (existing != queue->timers.end()) {
    *existing = timer;
  } else {
    queue->timers.push_back(timer);
  }
  queue->wake.notify_all();
  return hwnd && id == 0 ? 1 : timer.id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  const auto removed = std::erase_if(queue->timers, [&](const TimerRecord& timer) {
    return timer.hwnd == hwnd && timer.id == id;
  });
  return removed > 0 ? TRUE : FALSE;
}

namespace platform::ui {

bool AwaitTimedSends(std::size_t count, std::chrono::milliseconds realLimit) {
  auto& sys = Sys();
  Lock lock(sys.mutex);
  return sys.timedSendsChanged.wait_for(lock, realLimit,
                                        [&] { return sys.timedSendsWaiting >= count; });
}

int RunUntilIdle() {
  int dispatched = 0;
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    ++dispatched;
  }
  return dispatched;
}

}  // namespace platform::ui
