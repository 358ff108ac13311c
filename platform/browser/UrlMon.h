// The URL-moniker calls the product makes, as <urlmon.h> declares them: the
// session's options, where it reads the browser's user agent for its ads
// requests (on Linux the process's user agent, UserAgent.h), and the download
// of a URL to a file that fetches the update's installer.
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
