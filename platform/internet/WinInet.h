// The WinINet HTTP calls the product makes (open a session, connect to a
// host, open and send a request, set time-outs, close handles), named,
// typed and valued as in the Windows SDK, in the global namespace. Windows
// takes them from the SDK; the Linux side is a stand-in on libcurl whose
// behaviour WinInet_linux.h states.
//
// After the switch, the same on both systems: the owner that closes a
// handle exactly once.
//
//   platform::InternetHandle session(
//       InternetOpenA("Agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
//   if (!session) return;  // GetLastError() tells why
#pragma once

#include <memory>

#if defined(_WIN32)
#include <windows.h>

// After <windows.h>, whose types it uses.
#include <wininet.h>
#else
#include "platform/internet/WinInet_linux.h"
#endif

namespace platform {

struct InternetHandleCloser {
  void operator()(HINTERNET handle) const noexcept { ::InternetCloseHandle(handle); }
};

// Declare a session before its connection and the connection before its
// request, so they close children first, as WinINet asks of its callers.
using InternetHandle = std::unique_ptr<void, InternetHandleCloser>;

}  // namespace platform
