// The Linux side of platform/internet/WinInet.h: a WinINet stand-in for
// plain HTTP on libcurl, with the SDK's names, signatures and values.
//
// Handles form WinINet's tree: a session (InternetOpenA) holds connections
// (InternetConnectA), a connection holds requests (HttpOpenRequestA). Closing
// a handle closes what was opened from it, so a child of a closed parent
// fails every call with ERROR_INVALID_HANDLE, closing included. Handle values
// are never reused. A call given a handle of the wrong kind fails with
// ERROR_INTERNET_INCORRECT_HANDLE_TYPE. Failures set the thread's last error.
//
// The request on the wire, each line ending in CR LF:
//     <verb> <object name> HTTP/1.1
//     Host: <server>[:<port> when not 80]
//     User-Agent: <agent given to InternetOpenA>   (none for a null agent)
//     <extra headers given to HttpSendRequestA, in their order>
//     Content-Length: <n>                          (only with a body)
//     <empty line>
// then the body. The object name gains a leading "/" when it has none, as in
// WinINet; a space in it goes out as %20 and a byte above 0x7F as %XX, so the
// request line stays one line of ASCII. Nothing else is added: no Accept
// (no accept types are given), no Expect, no Connection, no Content-Type of
// its own.
//
// HttpSendRequestA connects, sends, and returns TRUE as soon as the final
// response's status line and headers have arrived (interim 1xx answers are
// passed over). The body is never read: the connection closes when the call
// returns. Redirects are not followed; a 3xx is an answer like any other.
// FALSE on connect failure (ERROR_INTERNET_CANNOT_CONNECT,
// ERROR_INTERNET_NAME_NOT_RESOLVED), time-out (ERROR_INTERNET_TIMEOUT), a
// malformed or missing answer (ERROR_HTTP_INVALID_SERVER_RESPONSE) or a
// dropped connection (ERROR_INTERNET_CONNECTION_RESET).
//
// Time-outs (INTERNET_OPTION_CONNECT/SEND/RECEIVE_TIMEOUT, milliseconds, on
// any handle) are taken by a child from its parent when the child is opened.
// The connect waits at most the connect time-out; the whole exchange,
// connect included, ends at the sum of the three, so a peer that accepts and
// never answers, or answers a byte at a time, cannot hold the caller longer.
// Defaults as WinINet's: 60 s to connect, 30 s to send, 30 s to receive.
//
// Outside input is refused rather than passed on: control characters in the
// object name (ERROR_INTERNET_INVALID_URL); in the agent, the verb or a
// server name that is not a plain host name or IPv4 address
// (ERROR_INVALID_PARAMETER); extra headers that are not "Name: value" lines
// separated by CR LF, a bare CR or LF among them (ERROR_HTTP_INVALID_HEADER).
//
// Only what the product asks for is there: the preconfigured access type
// (here always a direct connection; the environment's proxy settings are not
// read), the HTTP service without user name or password, HTTP/1.1, no
// referrer or accept types, and the flags INTERNET_FLAG_RELOAD and
// INTERNET_FLAG_NO_CACHE_WRITE (there is no cache here, so they change
// nothing). Anything else fails with ERROR_INVALID_PARAMETER instead of
// being silently ignored. Calls block; there is no asynchronous mode.
#pragma once

#include "platform/ui/WinTypes.h"

using HINTERNET = void*;
using INTERNET_PORT = WORD;
using LPVOID = void*;
using LPCSTR = const char*;

constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
constexpr INTERNET_PORT INTERNET_INVALID_PORT_NUMBER = 0;
constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
constexpr DWORD INTERNET_SERVICE_HTTP = 3;
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
constexpr DWORD INTERNET_OPTION_CONNECT_TIMEOUT = 2;
constexpr DWORD INTERNET_OPTION_SEND_TIMEOUT = 5;
constexpr DWORD INTERNET_OPTION_RECEIVE_TIMEOUT = 6;

constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_INVALID_OPTION = 12009;
constexpr DWORD ERROR_INTERNET_BAD_OPTION_LENGTH = 12010;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr DWORD ERROR_HTTP_INVALID_HEADER = 12153;

// The agent is the User-Agent of every request made under the session.
// Proxy and bypass lists are ignored, as WinINet ignores them for the
// preconfigured access type. `flags` must be 0.
HINTERNET WINAPI InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass,
                               DWORD flags);
// Connects nothing yet, as in WinINet: the connection is made by each send.
// INTERNET_INVALID_PORT_NUMBER means the service's default port. `flags`
// and `context` are ignored.
HINTERNET WINAPI InternetConnectA(HINTERNET session, LPCSTR serverName, INTERNET_PORT serverPort,
                                  LPCSTR userName, LPCSTR password, DWORD service, DWORD flags,
                                  DWORD_PTR context);
// A null verb is "GET"; a null version "HTTP/1.1"; a null or empty object
// name "/".
HINTERNET WINAPI HttpOpenRequestA(HINTERNET connection, LPCSTR verb, LPCSTR objectName,
                                  LPCSTR version, LPCSTR referrer, LPCSTR* acceptTypes, DWORD flags,
                                  DWORD_PTR context);
// `headersLength` (DWORD)-1 means `headers` ends at its NUL. A body is sent
// when `optional` is given with a non-zero length.
BOOL WINAPI HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headersLength,
                             LPVOID optional, DWORD optionalLength);
// The three time-outs only, each a DWORD of milliseconds other than 0. A
// null handle (WinINet's process-wide defaults) is refused: the stand-in
// keeps no state across sessions.
BOOL WINAPI InternetSetOptionA(HINTERNET handle, DWORD option, LPVOID buffer, DWORD bufferLength);
// FALSE with ERROR_INVALID_HANDLE for a null, unknown or already closed handle.
BOOL WINAPI InternetCloseHandle(HINTERNET handle);
