// The user-agent string of the process's URL-moniker session: what the
// browser sends with every request it makes and what the product reads for
// its ads requests. Fixed to an Internet Explorer 8 string on Windows 7
// unless a test or the demo sets another one; UrlMon_linux.h answers the
// session-option calls from it. Thread-safe.
#pragma once

#include <string>
#include <string_view>

#include "platform/browser/UrlMon_linux.h"

namespace platform {

inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)";

std::string UserAgent();
void SetUserAgent(std::string_view userAgent);

}  // namespace platform
