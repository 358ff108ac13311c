#include "platform/net/TcpConnection.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

#include "platform/net/AddressLookup.h"
#include "platform/net/WaitForSocket.h"

namespace platform::net {
namespace {

// One connect attempt to one address; the socket is non-blocking from birth
// so the wait is ours to bound.
NetResult<SocketHandle> ConnectOne(const addrinfo& address, WaitUntil waitUntil) {
  SocketHandle socket(::socket(
      address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol));
  if (!socket.IsValid()) return NetError::kConnectFailed;
  if (::connect(socket.Get(), address.ai_addr, address.ai_addrlen) == 0) return socket;
  if (errno == ECONNREFUSED) return NetError::kRefused;
  if (errno != EINPROGRESS && errno != EINTR) return NetError::kConnectFailed;

  switch (WaitForSocket(socket.Get(), POLLOUT, waitUntil)) {
    case WaitOutcome::kTimedOut:
      return NetError::kTimedOut;
    case WaitOutcome::kFailed:
      return NetError::kConnectFailed;
    case WaitOutcome::kReady:
      break;
  }
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
    return NetError::kConnectFailed;
  }
  if (error == ECONNREFUSED) return NetError::kRefused;
  if (error != 0) return NetError::kConnectFailed;
  return socket;
}

}  // namespace

NetResult<TcpConnection> TcpConnection::Connect(const std::string& host, std::uint16_t port,
                                                WaitUntil waitUntil) {
  auto addresses = LookupTcpAddresses(host, port);
  if (!addresses) return addresses.error();
  NetError lastError = NetError::kConnectFailed;
  for (const addrinfo* address = addresses.value().get(); address != nullptr;
       address = address->ai_next) {
    auto socket = ConnectOne(*address, waitUntil);
    if (socket) {
      // The caller writes whole blocks (request head, then body); Nagle's
      // algorithm would hold the body back for the peer's delayed ACK.
      int noDelay = 1;
      ::setsockopt(socket.value().Get(), IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
      return TcpConnection(std::move(socket.value()));
    }
    lastError = socket.error();
    if (lastError == NetError::kTimedOut) break;  // the time given is used up
  }
  return lastError;
}

NetStatus TcpConnection::SendAll(std::string_view bytes, WaitUntil waitUntil) {
  if (!IsOpen()) return NetError::kNotConnected;
  while (!bytes.empty()) {
    ssize_t sent = ::send(socket_.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      switch (WaitForSocket(socket_.Get(), POLLOUT, waitUntil)) {
        case WaitOutcome::kTimedOut:
          return NetError::kTimedOut;
        case WaitOutcome::kFailed:
          return NetError::kSendFailed;
        case WaitOutcome::kReady:
          continue;
      }
    }
    return NetError::kSendFailed;
  }
  return Done{};
}

NetResult<std::size_t> TcpConnection::Receive(std::span<char> buffer, WaitUntil waitUntil) {
  if (!IsOpen()) return NetError::kNotConnected;
  for (;;) {
    ssize_t received = ::recv(socket_.Get(), buffer.data(), buffer.size(), 0);
    if (received >= 0) return static_cast<std::size_t>(received);
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return NetError::kReceiveFailed;
    switch (WaitForSocket(socket_.Get(), POLLIN, waitUntil)) {
      case WaitOutcome::kTimedOut:
        return NetError::kTimedOut;
      case WaitOutcome::kFailed:
        return NetError::kReceiveFailed;
      case WaitOutcome::kReady:
        break;
    }
  }
}

}  // namespace platform::net
