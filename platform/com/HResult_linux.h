// The Linux side of platform/com/HResult.h: result codes, the basic integer
// types and the calling conventions of the COM boundary, with the Windows
// names and values, in the global namespace as the SDK has them.
#pragma once

#include <cstdint>

// The SDK's calling conventions. On x86-64 Linux they select the Microsoft
// ABI, which the compiler checks like a calling convention: an override or a
// callback that leaves one out fails to compile here, as it fails on 32-bit
// Windows, where leaving out __stdcall silently means __cdecl.
#if defined(__x86_64__)
#define VIMARU_MS_ABI __attribute__((ms_abi))
#else
#define VIMARU_MS_ABI
#endif
#define WINAPI VIMARU_MS_ABI
#define CALLBACK VIMARU_MS_ABI
#define STDMETHODCALLTYPE VIMARU_MS_ABI
#define STDAPICALLTYPE VIMARU_MS_ABI
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define STDAPI extern "C" HRESULT STDAPICALLTYPE

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using BOOL = int;
// Wide characters are char16_t here, as wide as Windows' wchar_t but a type
// of its own: the compiler then refuses to let a char16_t string stand in
// where the SDK wants a WCHAR one, and platform/text/WideChars.h converts
// at those calls explicitly.
using WCHAR = char16_t;
using LPCWSTR = const WCHAR*;
using LPWSTR = WCHAR*;

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr HRESULT MakeHresult(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeHresult(0x80004001u);
constexpr HRESULT E_NOINTERFACE = MakeHresult(0x80004002u);
constexpr HRESULT E_POINTER = MakeHresult(0x80004003u);
constexpr HRESULT E_ABORT = MakeHresult(0x80004004u);
constexpr HRESULT E_FAIL = MakeHresult(0x80004005u);
constexpr HRESULT E_UNEXPECTED = MakeHresult(0x8000FFFFu);
constexpr HRESULT E_ACCESSDENIED = MakeHresult(0x80070005u);
constexpr HRESULT E_OUTOFMEMORY = MakeHresult(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = MakeHresult(0x80070057u);
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHresult(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeHresult(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = MakeHresult(0x80040154u);
constexpr HRESULT CO_E_NOTINITIALIZED = MakeHresult(0x800401F0u);
constexpr HRESULT CO_E_CLASSSTRING = MakeHresult(0x800401F3u);
constexpr HRESULT RPC_E_CHANGED_MODE = MakeHresult(0x80010106u);
constexpr HRESULT SELFREG_E_TYPELIB = MakeHresult(0x80040200u);
constexpr HRESULT SELFREG_E_CLASS = MakeHresult(0x80040201u);
constexpr HRESULT TYPE_E_REGISTRYACCESS = MakeHresult(0x8002801Cu);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHresult(0x80020003u);
constexpr HRESULT DISP_E_EXCEPTION = MakeHresult(0x80020009u);
constexpr HRESULT CONNECT_E_NOCONNECTION = MakeHresult(0x80040200u);
constexpr HRESULT CONNECT_E_ADVISELIMIT = MakeHresult(0x80040201u);

// Wraps a Win32 error code (a registry LSTATUS, say) as FACILITY_WIN32
// HRESULT; zero and values that already look like HRESULTs pass unchanged.
constexpr HRESULT HRESULT_FROM_WIN32(long error) {
  return error <= 0 ? static_cast<HRESULT>(error)
                    : MakeHresult((static_cast<std::uint32_t>(error) & 0xFFFFu) | (7u << 16) |
                                  0x80000000u);
}
