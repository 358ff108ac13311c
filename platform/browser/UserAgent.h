// The user-agent string of the process's URL-moniker session: what the
// browser sends with every request it makes and what the product reads for
// its ads requests. Fixed to an Internet Explorer 8 string on Windows 7
// unless a test or the demo sets another one. Thread-safe.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/HResult.h"

constexpr DWORD URLMON_OPTION_USERAGENT = 0x10000001;
constexpr DWORD URLMON_OPTION_USERAGENT_REFRESH = 0x10000002;

// The user agent as narrow text: with a buffer of `bufferLength` bytes it
// copies the string and its terminator and sets `*length` to the bytes
// written; with no buffer, or one too small, it sets `*length` to the
// string's length (without terminator) and answers E_OUTOFMEMORY, as the
// real call does. Other options: E_INVALIDARG.
HRESULT UrlMkGetSessionOption(DWORD option, void* buffer, DWORD bufferLength, DWORD* length,
                              DWORD reserved);
// URLMON_OPTION_USERAGENT sets the string (bufferLength bytes, no terminator
// needed); URLMON_OPTION_USERAGENT_REFRESH restores the default.
HRESULT UrlMkSetSessionOption(DWORD option, void* buffer, DWORD bufferLength, DWORD reserved);

namespace platform {

inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)";

std::string UserAgent();
void SetUserAgent(std::string_view userAgent);

}  // namespace platform
