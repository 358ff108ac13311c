#include "tests/support/BackgroundCall.h"

#include <cstdint>

namespace test_support {
namespace {

constexpr std::uint64_t kOneDayMs = 24ull * 60 * 60 * 1000;

}  // namespace

BackgroundCall::BackgroundCall(platform::VirtualClock& clock, std::function<void()> call)
    : clock_(clock), thread_([this, call = std::move(call)] {
        call();
        {
          std::lock_guard lock(mutex_);
          done_ = true;
        }
        returned_.notify_all();
      }) {}

BackgroundCall::~BackgroundCall() {
  if (!thread_.joinable()) return;
  bool done;
  {
    std::lock_guard lock(mutex_);
    done = done_;
  }
  if (!done) clock_.Advance(kOneDayMs);
  thread_.join();
}

bool BackgroundCall::Join() {
  {
    std::unique_lock lock(mutex_);
    if (!returned_.wait_for(lock, kCallWait, [&] { return done_; })) return false;
  }
  thread_.join();
  return true;
}

}  // namespace test_support
