// For tests and the demo: while a ScopedConnectRedirect lives, the WinINet
// stand-in connects to `targetAddress`:`targetPort` whenever a request is
// for `serverName`:`port`, and the request itself is unchanged (its Host
// header still names `serverName`). This is how a test checks the wire bytes
// of a request to a default port, or to a host name, against a loopback peer
// on a port of the system's choosing, without name lookup or privileges.
// Redirects do not nest; the last one made is the one in force.
#pragma once

#include <optional>
#include <string>

#include "platform/internet/WinInet.h"

namespace platform::internet {

class ScopedConnectRedirect {
 public:
  ScopedConnectRedirect(std::string serverName, INTERNET_PORT port, std::string targetAddress,
                        INTERNET_PORT targetPort);
  ~ScopedConnectRedirect();
  ScopedConnectRedirect(const ScopedConnectRedirect&) = delete;
  ScopedConnectRedirect& operator=(const ScopedConnectRedirect&) = delete;
};

// The redirect in force as libcurl's CURLOPT_CONNECT_TO entry
// ("name:port:address:port"), or none.
std::optional<std::string> ConnectRedirectInForce();

}  // namespace platform::internet
