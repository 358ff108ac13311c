// The far end of a check's TCP connection: a WinSock listener on 127.0.0.1
// at a port the system chooses, whose thread accepts one connection and
// plays the check's script on it. Every wait of the peer is bounded
// (kPeerWait), so a client that never connects, sends or closes ends the
// script instead of hanging the check.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "platform/net/SocketHandle.h"
#include "platform/net/WinsockStartup.h"

namespace windows_check {

inline constexpr std::chrono::milliseconds kPeerWait{5000};

// Whether `socket` has something to read (data, an end or an error) within
// kPeerWait.
inline bool AwaitReadable(SOCKET socket) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval limit{};
  limit.tv_sec = static_cast<long>(kPeerWait.count() / 1000);
  return ::select(0, &readable, nullptr, nullptr, &limit) == 1;
}

// Reads until `count` bytes have come or the client stops sending.
inline std::string ReadBytes(SOCKET socket, std::size_t count) {
  std::string bytes;
  char buffer[65536];
  while (bytes.size() < count && AwaitReadable(socket)) {
    const int received = ::recv(socket, buffer, sizeof buffer, 0);
    if (received <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(received));
  }
  return bytes;
}

// Waits, reading nothing it keeps, until the client closes its side.
inline void AwaitClientClose(SOCKET socket) {
  char buffer[256];
  while (AwaitReadable(socket) && ::recv(socket, buffer, sizeof buffer, 0) > 0) {
  }
}

inline void SendBytes(SOCKET socket, const std::string& bytes) {
  ::send(socket, bytes.data(), static_cast<int>(bytes.size()), 0);
}

// A bound, listening loopback socket; invalid when WinSock refused.
inline platform::net::SocketHandle ListenOnLoopback() {
  if (!platform::net::StartWinsock()) return {};
  platform::net::SocketHandle listener(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (!listener.IsValid() ||
      ::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener.Get(), 1) != 0) {
    return {};
  }
  return listener;
}

inline std::uint16_t PortOf(const platform::net::SocketHandle& socket) {
  sockaddr_in address{};
  int length = sizeof address;
  if (::getsockname(socket.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

class LoopbackPeer {
 public:
  using Script = std::function<void(SOCKET accepted)>;

  explicit LoopbackPeer(Script script) : listener_(ListenOnLoopback()), port_(PortOf(listener_)) {
    thread_ = std::thread([this, script = std::move(script)] {
      if (!listener_.IsValid() || !AwaitReadable(listener_.Get())) return;
      platform::net::SocketHandle accepted(::accept(listener_.Get(), nullptr, nullptr));
      if (accepted.IsValid()) script(accepted.Get());
    });
  }
  ~LoopbackPeer() { thread_.join(); }
  LoopbackPeer(const LoopbackPeer&) = delete;
  LoopbackPeer& operator=(const LoopbackPeer&) = delete;

  std::uint16_t Port() const { return port_; }

 private:
  platform::net::SocketHandle listener_;
  const std::uint16_t port_;
  std::thread thread_;
};

}  // namespace windows_check
