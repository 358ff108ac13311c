// Name resolution for TcpConnection: getaddrinfo() with its result list owned.
#pragma once

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#endif

#include <cstdint>
#include <memory>
#include <string>

#include "platform/net/NetResult.h"

namespace platform::net {

struct AddrInfoDeleter {
  void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddrInfoDeleter>;

// Stream addresses of `host` (name or numeric, IPv4 or IPv6) on `port`.
NetResult<AddressList> LookupTcpAddresses(const std::string& host, std::uint16_t port);

}  // namespace platform::net
