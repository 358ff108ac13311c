// Owner of one socket descriptor: closes it exactly once, whichever path the
// code takes. Move-only, like every handle owner of the platform layer.
#pragma once

namespace platform::net {

class SocketHandle {
 public:
  SocketHandle() = default;
  explicit SocketHandle(int descriptor) : descriptor_(descriptor) {}
  ~SocketHandle() { Reset(); }

  SocketHandle(SocketHandle&& other) noexcept : descriptor_(other.Release()) {}
  SocketHandle& operator=(SocketHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;

  int Get() const { return descriptor_; }
  bool IsValid() const { return descriptor_ >= 0; }

  [[nodiscard]] int Release() {
    int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
  }
  void Reset(int descriptor = -1);

 private:
  int descriptor_ = -1;
};

}  // namespace platform::net
