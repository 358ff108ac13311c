#ifdef _WIN32
#include "platform/net/AddressLookup.h"
#include "platform/net/WinsockStartup.h"

namespace platform::net {

NetResult<AddressList> LookupTcpAddresses(const std::string& host, std::uint16_t port) {
  if (host.empty() || !StartWinsock()) return NetError::kLookupFailed;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  // Without AI_ADDRCONFIG, unlike Linux: Windows counts no loopback address
  // as configured, so on a machine without a network it would refuse to
  // resolve even 127.0.0.1 for a service on this machine.
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr) {
    return NetError::kLookupFailed;
  }
  return AddressList(found);
}

}  // namespace platform::net
#endif
