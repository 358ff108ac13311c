// The session's timers. Thread timers die with their thread and only their
// thread may kill them, so the session remembers where each runs, moves
// them to another tab's thread when the last tab of theirs closes, and a
// tick that finds its timer no longer wanted kills it from its own thread.
#include <utility>

#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Contain.h"
#include "platform/ui/MessageQueue.h"
#include "session/GlobalSinglton.h"
#include "session/ProcessState.h"

namespace session {

void GlobalSinglton::SetTimer() {
  platform::ContainTraced("GlobalSinglton::SetTimer", 0, [&] {
    const DWORD self = GetCurrentThreadId();
    {
      std::lock_guard lock(timers_->mutex);
      if (timers_->totalsTimer == 0) {
        timers_->totalsTimer = ::SetTimer(nullptr, kTotalsTimerId, kTotalsPeriodMs, &TimerProc);
        if (timers_->totalsTimer != 0) timers_->thread = self;
      }
    }
    ProcessState& process = Process();
    std::lock_guard lock(process.updateTimerMutex);
    if (process.updateTimer == 0) {
      process.updateTimer = ::SetTimer(nullptr, kUpdateTimerId, kUpdatePeriodMs, &TimeUpdateProc);
      if (process.updateTimer != 0) process.updateTimerThread = self;
    }
    return 0;
  });
}

void GlobalSinglton::ReleaseTimer() {
  platform::ContainTraced("GlobalSinglton::ReleaseTimer", 0, [&] {
    std::lock_guard lock(timers_->mutex);
    if (timers_->totalsTimer == 0) return 0;
    // From another thread the kill cannot work; the timer's next tick finds
    // itself unowned and ends there.
    if (timers_->thread == GetCurrentThreadId()) KillTimer(nullptr, timers_->totalsTimer);
    timers_->totalsTimer = 0;
    timers_->thread = 0;
    return 0;
  });
}

bool GlobalSinglton::OwnsTotalsTimer(UINT_PTR id) {
  std::lock_guard lock(timers_->mutex);
  return id == timers_->totalsTimer && timers_->thread == GetCurrentThreadId();
}

void CALLBACK GlobalSinglton::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  platform::ContainTraced("GlobalSinglton::TimerProc", 0, [&] {
    const Existing session;
    if (!session || !session->OwnsTotalsTimer(id)) {
      KillTimer(nullptr, id);
      return 0;
    }
    session->RefreshTotals();
    return 0;
  });
}

namespace {

// Ends a refresh however it ends, so that no failure leaves the flag set and
// every later tick skipped.
class RefreshInFlight {
 public:
  explicit RefreshInFlight(std::shared_ptr<std::atomic<bool>> busy) : busy_(std::move(busy)) {}
  ~RefreshInFlight() { busy_->store(false); }
  RefreshInFlight(const RefreshInFlight&) = delete;
  RefreshInFlight& operator=(const RefreshInFlight&) = delete;

 private:
  std::shared_ptr<std::atomic<bool>> busy_;
};

}  // namespace

void GlobalSinglton::RefreshTotals() {
  // One refresh at a time: a tick while one is in flight does nothing.
  if (totalsBusy_->exchange(true)) return;
  const std::string memberId = MemberId();
  if (memberId.empty() || !connector_) {
    const RefreshInFlight refresh(totalsBusy_);
    contexts_->ForEachOnItsThread(
        [](SessionContextI& context) { context.UpdateLogginStatus(soap::MemberTotals{}); });
    return;
  }
  const bool started = platform::StartWorkerThread(
      "GlobalSinglton::TimerProc", [connector = connector_, contexts = contexts_,
                                    busy = totalsBusy_, memberId = platform::AnsiToWide(memberId)] {
        const RefreshInFlight refresh(busy);
        soap::MemberTotals totals;
        connector->bxTotals(memberId, totals);
        contexts->ForEachOnItsThread(
            [totals](SessionContextI& context) { context.UpdateLogginStatus(totals); });
      });
  if (!started) totalsBusy_->store(false);
}

void CALLBACK GlobalSinglton::TimeUpdateProc(HWND, UINT, UINT_PTR id, DWORD) {
  platform::ContainTraced("GlobalSinglton::TimeUpdateProc", 0, [&] {
    ProcessState& process = Process();
    {
      std::lock_guard lock(process.updateTimerMutex);
      if (id != process.updateTimer || process.updateTimerThread != GetCurrentThreadId()) {
        KillTimer(nullptr, id);
        return 0;
      }
      if (process.updateLatch.exchange(true)) return 0;
      // The check has run for this process; the hourly ticks that follow
      // find the latch set and do nothing.
      KillTimer(nullptr, id);
      process.updateTimer =
          ::SetTimer(nullptr, kUpdateTimerId, kUpdateRecheckPeriodMs, &TimeUpdateProc);
      if (process.updateTimer == 0) process.updateTimerThread = 0;
    }
    UpdateCheck check;
    {
      std::lock_guard lock(process.hooksMutex);
      check = process.updateCheck;
    }
    if (check) check();
    return 0;
  });
}

void GlobalSinglton::MoveTimersOffThisThread() {
  const DWORD self = GetCurrentThreadId();
  if (contexts_->HasContextOnThread(self)) return;
  bool moved = false;
  {
    std::lock_guard lock(timers_->mutex);
    if (timers_->totalsTimer != 0 && timers_->thread == self) {
      KillTimer(nullptr, timers_->totalsTimer);
      timers_->totalsTimer = 0;
      timers_->thread = 0;
      moved = true;
    }
  }
  ProcessState& process = Process();
  {
    std::lock_guard lock(process.updateTimerMutex);
    // Once it has ticked the update check has run for this process, and
    // the timer may die with its thread.
    if (process.updateTimer != 0 && process.updateTimerThread == self && !process.updateLatch) {
      KillTimer(nullptr, process.updateTimer);
      process.updateTimer = 0;
      process.updateTimerThread = 0;
      moved = true;
    }
  }
  if (!moved) return;
  if (const auto tasks = contexts_->TasksOfAnotherThread(self)) {
    tasks->Post([] {
      const Existing session;
      if (session) session->SetTimer();
    });
  }
}

}  // namespace session
