// One request of the WinINet stand-in on libcurl: connect, send, and read up
// to the end of the final response's head (see WinInet_linux.h for the
// bytes and the time-outs).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/internet/InternetHandles.h"

namespace platform::internet {

// 0 once the head has arrived, otherwise the WinINet error code of the failure.
DWORD ExchangeHead(const RequestTarget& request, const Timeouts& timeouts,
                   const std::vector<std::string>& headerLines, std::string_view body);

}  // namespace platform::internet
