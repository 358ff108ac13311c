// Helpers for the WinINet stand-in's tests: the three handles of one request
// opened as the product opens them, and the time-outs set in one call.
#pragma once

#include "platform/internet/WinInet.h"

namespace platform::internet::testing {

inline constexpr char kTestAgent[] = "VimaruTest/1.0";
inline constexpr char kFormContentType[] = "Content-Type: application/x-www-form-urlencoded";

// Declared in this order so they close request first, as WinINet asks.
struct OpenRequest {
  InternetHandle session;
  InternetHandle connection;
  InternetHandle request;
};

// Any handle that failed to open stays null; later ones are then not tried.
inline OpenRequest OpenRequestTo(const char* serverName, INTERNET_PORT port, const char* objectName,
                                 const char* verb = "GET") {
  OpenRequest opened;
  opened.session.reset(
      InternetOpenA(kTestAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!opened.session) return opened;
  opened.connection.reset(InternetConnectA(opened.session.get(), serverName, port, nullptr, nullptr,
                                           INTERNET_SERVICE_HTTP, 0, 0));
  if (!opened.connection) return opened;
  opened.request.reset(
      HttpOpenRequestA(opened.connection.get(), verb, objectName, nullptr, nullptr, nullptr, 0, 0));
  return opened;
}

// Sets the connect, send and receive time-outs of `handle` to `milliseconds`.
inline bool SetAllTimeouts(HINTERNET handle, DWORD milliseconds) {
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    if (!InternetSetOptionA(handle, option, &milliseconds, sizeof milliseconds)) return false;
  }
  return true;
}

}  // namespace platform::internet::testing
