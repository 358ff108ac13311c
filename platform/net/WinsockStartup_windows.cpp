#ifdef _WIN32
#include <winsock2.h>

#include "platform/net/WinsockStartup.h"

namespace platform::net {

bool StartWinsock() {
  static const bool started = [] {
    WSADATA data{};
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

}  // namespace platform::net
#endif
