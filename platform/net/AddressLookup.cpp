#include "platform/net/AddressLookup.h"

#include <sys/socket.h>

namespace platform::net {

NetResult<AddressList> LookupTcpAddresses(const std::string& host, std::uint16_t port) {
  if (host.empty()) return NetError::kLookupFailed;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
  addrinfo* found = nullptr;
  std::string service = std::to_string(port);
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr) {
    return NetError::kLookupFailed;
  }
  return AddressList(found);
}

}  // namespace platform::net
