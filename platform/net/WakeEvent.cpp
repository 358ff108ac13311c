#include "platform/net/WakeEvent.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform::net {

WakeEvent::WakeEvent() : descriptor_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeEvent::~WakeEvent() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

void WakeEvent::Signal() {
  // Fails only when the counter is full, and then the event is readable anyway.
  std::uint64_t one = 1;
  (void)!::write(descriptor_, &one, sizeof one);
}

void WakeEvent::Drain() {
  // One read takes the whole count; an empty event answers EAGAIN.
  std::uint64_t count = 0;
  (void)!::read(descriptor_, &count, sizeof count);
}

}  // namespace platform::net
