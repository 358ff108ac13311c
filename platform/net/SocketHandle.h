// Owner of one socket: closes it exactly once, whichever path the code takes.
// Move-only, like every handle owner of the platform layer.
#pragma once

#include <cstdint>

namespace platform::net {

#if defined(_WIN32)
// WinSock's SOCKET (a UINT_PTR) and INVALID_SOCKET, spelled without the SDK so
// that including this header never decides for its includers whether
// <winsock2.h> comes before <windows.h>; the backend checks that they agree.
using NativeSocket = std::uintptr_t;
inline constexpr NativeSocket kInvalidSocket = ~NativeSocket{0};
#else
using NativeSocket = int;
inline constexpr NativeSocket kInvalidSocket = -1;
#endif

class SocketHandle {
 public:
  SocketHandle() = default;
  explicit SocketHandle(NativeSocket socket) : socket_(socket) {}
  ~SocketHandle() { Reset(); }

  SocketHandle(SocketHandle&& other) noexcept : socket_(other.Release()) {}
  SocketHandle& operator=(SocketHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;

  NativeSocket Get() const { return socket_; }
  bool IsValid() const { return socket_ != kInvalidSocket; }

  [[nodiscard]] NativeSocket Release() {
    const NativeSocket socket = socket_;
    socket_ = kInvalidSocket;
    return socket;
  }
  void Reset(NativeSocket socket = kInvalidSocket);

 private:
  NativeSocket socket_ = kInvalidSocket;
};

}  // namespace platform::net
