// The session's inner state: what the process keeps beside the instance (the
// instance and its count, the member's identity, and the update timer,
// which outlives every session) and a session's timer.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "session/GlobalSinglton.h"

namespace session {

struct ProcessState {
  std::mutex instanceMutex;
  GlobalSinglton* instance = nullptr;  // guarded by instanceMutex
  LONG references = 0;                 // guarded by instanceMutex

  std::mutex identityMutex;
  std::string memberId;  // guarded by identityMutex
  bool member = false;   // guarded by identityMutex
  std::string ssoToken;  // guarded by identityMutex
  std::atomic<bool> updateAvailable = false;
  std::atomic<bool> updateLatch = false;

  std::mutex updateTimerMutex;
  UINT_PTR updateTimer = 0;     // guarded by updateTimerMutex; 0 while not set
  DWORD updateTimerThread = 0;  // guarded by updateTimerMutex

  std::mutex hooksMutex;
  GlobalSinglton::AdsRequestStarter adsRequestStarter;  // guarded by hooksMutex
  GlobalSinglton::UpdateCheck updateCheck;              // guarded by hooksMutex
};

ProcessState& Process();

// The totals timer of one session: the id SetTimer returned (a windowless
// timer gets an id of the system's choosing, whatever id it was asked for)
// and the thread it runs on.
struct GlobalSinglton::TimerState {
  std::mutex mutex;
  UINT_PTR totalsTimer = 0;  // guarded by mutex; 0 while not set
  DWORD thread = 0;          // guarded by mutex
};

}  // namespace session
