// A TCP client connection in the shape WinSock gives the SOAP transport: a
// connect that waits no longer than asked, and sends and receives that each
// wait no longer than asked. The caller passes the latest instant it is
// willing to wait until, so a per-operation time-out and an overall deadline
// combine by taking the earlier of the two. Instants are on the product's
// clock, so a test that installs a VirtualClock ends these waits by
// advancing it instead of waiting for the host's time to pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/clock/TickClock.h"
#include "platform/net/NetResult.h"
#include "platform/net/SocketHandle.h"

namespace platform::net {

using WaitUntil = TickClock::time_point;

class TcpConnection {
 public:
  TcpConnection() = default;

  // Resolves `host` (a name or a numeric IPv4/IPv6 address) and connects to
  // the first address that accepts before `waitUntil`.
  static NetResult<TcpConnection> Connect(const std::string& host, std::uint16_t port,
                                          WaitUntil waitUntil);

  // Sends every byte of `bytes` or fails; never raises SIGPIPE.
  NetStatus SendAll(std::string_view bytes, WaitUntil waitUntil);

  // Receives what has arrived, at least one byte, into `buffer` (which must
  // not be empty). 0 means the peer closed its side in order.
  NetResult<std::size_t> Receive(std::span<char> buffer, WaitUntil waitUntil);

  bool IsOpen() const { return socket_.IsValid(); }
  void Close() { socket_.Reset(); }

 private:
  explicit TcpConnection(SocketHandle socket) : socket_(std::move(socket)) {}

  SocketHandle socket_;
};

}  // namespace platform::net
