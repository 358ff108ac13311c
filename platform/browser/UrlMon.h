// The URL-moniker session's options, as <urlmon.h> declares them: the
// product reads the browser's user agent from here for its ads requests.
// On Linux the answer is the process's user agent (UserAgent.h).
//
//   DWORD size = 0;
//   UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, nullptr, 0, &size, 0);  // E_OUTOFMEMORY
//   std::string text(size + 1, '\0');
//   UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, text.data(), size + 1, &size, 0);
#pragma once

#if defined(_WIN32)
#include <urlmon.h>
#include <windows.h>
#else
#include "platform/browser/UrlMon_linux.h"
#endif
