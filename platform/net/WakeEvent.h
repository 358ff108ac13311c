// An event one thread signals and another waits for in poll(), next to a
// socket. It stays readable from the first Signal until Drain, so a signal
// given before the waiter reaches poll() still ends that poll. Owns its
// descriptor like SocketHandle: closed exactly once.
#pragma once

namespace platform::net {

class WakeEvent {
 public:
  // IsValid is false when the system had no descriptor to give.
  WakeEvent();
  ~WakeEvent();
  WakeEvent(const WakeEvent&) = delete;
  WakeEvent& operator=(const WakeEvent&) = delete;

  bool IsValid() const { return descriptor_ >= 0; }
  // Readable (POLLIN) while signalled.
  int Descriptor() const { return descriptor_; }

  // Safe from any thread.
  void Signal();
  // Makes the event unreadable again, however often it was signalled.
  void Drain();

 private:
  int descriptor_ = -1;
};

}  // namespace platform::net
