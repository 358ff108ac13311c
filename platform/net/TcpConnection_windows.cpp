#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/net/AddressLookup.h"
#include "platform/net/TcpConnection.h"
#include "platform/net/WaitForSocket.h"
#include "platform/net/WinsockStartup.h"

namespace platform::net {
namespace {

// send() and recv() take an int length; larger spans go in several calls.
int CallLength(std::size_t size) { return static_cast<int>(std::min<std::size_t>(size, INT_MAX)); }

bool SetOption(SOCKET socket, int level, int option, BOOL on) {
  return ::setsockopt(socket, level, option, reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

// IPv4 addresses first, each family in the resolver's order. Windows puts
// IPv6 first for "localhost" and for names with both kinds of address,
// while services, the product's own among them, often listen on IPv4 only;
// and a refused connect on Windows takes its SYN retries (about two seconds)
// before it fails, which every connection would pay.
std::vector<const addrinfo*> ConnectOrder(const addrinfo* list) {
  std::vector<const addrinfo*> order;
  for (const addrinfo* address = list; address != nullptr; address = address->ai_next) {
    order.push_back(address);
  }
  std::stable_partition(order.begin(), order.end(),
                        [](const addrinfo* address) { return address->ai_family == AF_INET; });
  return order;
}

// One connect attempt to one address.
NetResult<SocketHandle> ConnectOne(const addrinfo& address, WaitUntil waitUntil) {
  // Not inherited by the programs the product starts, as SOCK_CLOEXEC keeps
  // the socket from them on Linux.
  SocketHandle socket(::WSASocketW(address.ai_family, address.ai_socktype, address.ai_protocol,
                                   nullptr, 0, WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT));
  if (!socket.IsValid()) return NetError::kConnectFailed;
  // Non-blocking, so the wait is ours to bound; urgent data inline, so that
  // the exception set of the wait means a failed connect and nothing else.
  u_long nonBlocking = 1;
  if (::ioctlsocket(socket.Get(), FIONBIO, &nonBlocking) != 0 ||
      !SetOption(socket.Get(), SOL_SOCKET, SO_OOBINLINE, TRUE)) {
    return NetError::kConnectFailed;
  }
  if (::connect(socket.Get(), address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) {
    return socket;
  }
  const int started = ::WSAGetLastError();
  if (started == WSAECONNREFUSED) return NetError::kRefused;
  if (started != WSAEWOULDBLOCK) return NetError::kConnectFailed;

  switch (WaitForSocket(socket.Get(), POLLOUT, waitUntil)) {
    case WaitOutcome::kTimedOut:
      return NetError::kTimedOut;
    case WaitOutcome::kFailed:
      return NetError::kConnectFailed;
    case WaitOutcome::kReady:
      break;
  }
  int error = 0;
  int length = sizeof error;
  if (::getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) !=
      0) {
    return NetError::kConnectFailed;
  }
  if (error == WSAECONNREFUSED) return NetError::kRefused;
  if (error != 0) return NetError::kConnectFailed;
  return socket;
}

}  // namespace

NetResult<TcpConnection> TcpConnection::Connect(const std::string& host, std::uint16_t port,
                                                WaitUntil waitUntil) {
  if (!StartWinsock()) return NetError::kConnectFailed;
  auto addresses = LookupTcpAddresses(host, port);
  if (!addresses) return addresses.error();
  NetError lastError = NetError::kConnectFailed;
  for (const addrinfo* address : ConnectOrder(addresses.value().get())) {
    auto socket = ConnectOne(*address, waitUntil);
    if (socket) {
      // The caller writes whole blocks (request head, then body); Nagle's
      // algorithm would hold the body back for the peer's delayed ACK.
      SetOption(socket.value().Get(), IPPROTO_TCP, TCP_NODELAY, TRUE);
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
    const int sent = ::send(socket_.Get(), bytes.data(), CallLength(bytes.size()), 0);
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK) {
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
    const int received = ::recv(socket_.Get(), buffer.data(), CallLength(buffer.size()), 0);
    if (received >= 0) return static_cast<std::size_t>(received);
    if (::WSAGetLastError() != WSAEWOULDBLOCK) return NetError::kReceiveFailed;
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
#endif
