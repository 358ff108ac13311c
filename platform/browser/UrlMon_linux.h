// The Linux side of platform/browser/UrlMon.h: the two session-option calls
// with the SDK's signatures, answered from the process's user agent, and the
// download of a URL to a file, a real HTTP(S) transfer on libcurl.
#pragma once

#include "platform/com/Guid.h"
#include "platform/com/HResult.h"
#include "platform/com/Unknown.h"

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

using LPCSTR = const char*;
using LPUNKNOWN = IUnknown*;

// What a download's callback is handed and never given here: the stand-in
// has no binding to pause, asks for no bind information and reports no data
// through storage media.
struct IBinding;
struct BINDINFO;
struct FORMATETC;
struct STGMEDIUM;

enum BINDSTATUS {
  BINDSTATUS_BEGINDOWNLOADDATA = 4,
  BINDSTATUS_DOWNLOADINGDATA = 5,
  BINDSTATUS_ENDDOWNLOADDATA = 6,
};

struct IBindStatusCallback : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("79EAC9C1-BAF9-11CE-8C82-00AA004BA90B");

  virtual HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD dwReserved, IBinding* pib) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPriority(LONG* pnPriority) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnProgress(ULONG ulProgress, ULONG ulProgressMax,
                                               ULONG ulStatusCode, LPCWSTR szStatusText) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT hresult, LPCWSTR szError) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* grfBINDF, BINDINFO* pbindinfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD grfBSCF, DWORD dwSize,
                                                    FORMATETC* pformatetc, STGMEDIUM* pstgmed) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID riid, IUnknown* punk) = 0;

 protected:
  ~IBindStatusCallback() = default;
};

using LPBINDSTATUSCALLBACK = IBindStatusCallback*;
inline constexpr IID IID_IBindStatusCallback = IBindStatusCallback::kIid;

constexpr HRESULT INET_E_CANNOT_CONNECT = MakeHresult(0x800C0004u);
constexpr HRESULT INET_E_RESOURCE_NOT_FOUND = MakeHresult(0x800C0005u);
constexpr HRESULT INET_E_DOWNLOAD_FAILURE = MakeHresult(0x800C0008u);
constexpr HRESULT INET_E_CONNECTION_TIMEOUT = MakeHresult(0x800C000Bu);
constexpr HRESULT INET_E_UNKNOWN_PROTOCOL = MakeHresult(0x800C000Du);

// Fetches `szURL` and writes the final answer's body to `szFileName` (a
// mapped Windows path). Only http and https are fetched, redirects included
// (at most 10 are followed); the request carries the process's user agent
// and goes straight to the host, whatever proxy the environment names. The
// file is replaced only once the whole body has arrived, so a failed
// download leaves whatever was there before.
//
// The callback, when given, hears nothing but OnProgress, with the URL as
// its text: BINDSTATUS_BEGINDOWNLOADDATA once the answer's head has come
// (progress 0, the announced length as the maximum, 0 when none was),
// BINDSTATUS_DOWNLOADINGDATA after each block of the body with the bytes so
// far (both saturate at ULONG's largest value), and
// BINDSTATUS_ENDDOWNLOADDATA at the end. A failure it returns ends the
// download with E_ABORT.
//
// A peer silent for platform::kDownloadSilenceLimitMs on the product's clock, from the
// start or since its last byte, ends the download with
// INET_E_CONNECTION_TIMEOUT; under a VirtualClock that wait counts as a
// blocked socket wait (platform/net/VirtualClockWake.h).
//
// Other results: S_OK; E_INVALIDARG for a null URL or file name, a caller
// object or a reserved value other than 0; INET_E_UNKNOWN_PROTOCOL for
// another scheme or a redirect to one; INET_E_RESOURCE_NOT_FOUND for a host
// that does not resolve; INET_E_CANNOT_CONNECT when nobody listens; and
// INET_E_DOWNLOAD_FAILURE for a final status outside 2xx, a broken or
// truncated answer, too many redirects, or a file that cannot be written.
STDAPI URLDownloadToFileA(LPUNKNOWN pCaller, LPCSTR szURL, LPCSTR szFileName, DWORD dwReserved,
                          LPBINDSTATUSCALLBACK lpfnCB);

namespace platform {

// WinINet's default receive time-out, which is what bounds a silent peer
// under the real call.
inline constexpr DWORD kDownloadSilenceLimitMs = 30000;

}  // namespace platform
