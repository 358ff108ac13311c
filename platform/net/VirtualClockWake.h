// How a socket wait sleeps while a VirtualClock is installed. That clock
// moves only when a test advances it, so a poll() for the time left would
// wait on the host's clock for a deadline the test may never let come, or
// let one pass that the test never reached. Instead the wait polls its
// socket together with an event that every advance signals, and reads the
// clock again after each wake.
//
// A test that advances time to end such a wait must first know that the
// wait has read the clock: an advance that came earlier only moves the start
// of the wait, and its deadline with it. AwaitBlockedSocketWaits tells it.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

#include "platform/clock/Clock.h"

struct pollfd;

namespace platform::net {

class VirtualClockWake {
 public:
  // Listens from here on; a wait makes this before it first reads the clock,
  // so no advance after that reading goes unseen.
  VirtualClockWake();
  VirtualClockWake(const VirtualClockWake&) = delete;
  VirtualClockWake& operator=(const VirtualClockWake&) = delete;

  // False when the system had no descriptor for the wake event.
  bool IsValid() const;

  // poll()s `socket` and the wake event with no time limit: returns when the
  // socket has an event (its revents tell) or the clock advanced since the
  // last return (or since this object was made). Returns what poll() does.
  int PollUntilAdvance(pollfd& socket);

  // The same wait for a caller that polls through another library (libcurl's
  // multi interface): `wait` watches `wake` beside its own descriptors with
  // no time limit, sets wake.revents, and returns what its poll returned.
  // Counted as a blocked wait while `wait` runs.
  int WaitUntilAdvance(const std::function<int(pollfd& wake)>& wait);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  ClockAdvanceListener listener_;  // after shared_: gone before the event may close
};

// Blocks until at least `count` socket waits are blocked on the virtual clock
// for an advance that has not come yet (an Advance stops counting every wait
// it wakes before it returns); false when `realLimit` of the host's time
// passed first.
bool AwaitBlockedSocketWaits(std::size_t count, std::chrono::milliseconds realLimit);

}  // namespace platform::net
