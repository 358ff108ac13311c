// The Linux side of platform/browser/UrlMon.h: the two session-option calls
// with the SDK's signatures, answered from the process's user agent.
#pragma once

#include "platform/com/HResult.h"

constexpr DWORD URLMON_OPTION_USERAGENT = 0x10000001;
constexpr DWORD URLMON_OPTION_USERAGENT_REFRESH = 0x10000002;

// The user agent as narrow text: with a buffer of `dwBufferLength` bytes it
// copies the string and its terminator and sets `*pdwBufferLengthOut` to the
// bytes written; with no buffer, or one too small, it sets it to the
// string's length (without terminator) and answers E_OUTOFMEMORY, as the
// real call does. Other options: E_INVALIDARG.
STDAPI UrlMkGetSessionOption(DWORD dwOption, void* pBuffer, DWORD dwBufferLength,
                             DWORD* pdwBufferLengthOut, DWORD dwReserved);
// URLMON_OPTION_USERAGENT sets the string (dwBufferLength bytes, no
// terminator needed); URLMON_OPTION_USERAGENT_REFRESH restores the default.
STDAPI UrlMkSetSessionOption(DWORD dwOption, void* pBuffer, DWORD dwBufferLength, DWORD dwReserved);
