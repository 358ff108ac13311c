// The Linux side of platform/com/Guid.h: GUID and its aliases with the SDK's
// layout (Data1..Data4), and the SDK's text conversions.
#pragma once

#include <compare>
#include <cstdint>

#include "platform/com/HResult.h"

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];

  friend constexpr bool operator==(const GUID&, const GUID&) = default;
  friend constexpr auto operator<=>(const GUID&, const GUID&) = default;
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline constexpr GUID GUID_NULL{};

// Windows-shaped wide forms. StringFromGUID2 writes the 38 characters and a
// terminator and returns 39, or 0 when the buffer is smaller than that.
int WINAPI StringFromGUID2(REFGUID guid, char16_t* buffer, int capacity);
// CLSIDFromString/IIDFromString accept only the braced form here (no ProgIDs);
// CO_E_CLASSSTRING or E_INVALIDARG on bad text, E_POINTER on null arguments.
HRESULT WINAPI CLSIDFromString(const char16_t* text, CLSID* clsid);
HRESULT WINAPI IIDFromString(const char16_t* text, IID* iid);
