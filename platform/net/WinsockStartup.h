// WinSock for the Windows side of platform/net. A DLL may not start or stop
// WinSock from DllMain (both take the loader lock), so it starts on the
// first socket work of the process and is never cleaned up: the process's
// end releases it.
#pragma once

namespace platform::net {

// Starts WinSock 2.2 once per process; false when it is not available.
bool StartWinsock();

}  // namespace platform::net
