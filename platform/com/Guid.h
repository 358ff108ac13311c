// Globally unique identifiers: class ids, interface ids, type library ids.
// The layout is the Windows one (Data1..Data4). Text form is the registry's
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; formatting writes upper-case hex as
// StringFromGUID2 does, parsing accepts either case but nothing else (exact
// length, braces, dashes), so a registry entry that is not a GUID is never
// mistaken for one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/com/Guid_linux.h"
#endif

namespace platform {

namespace guid_detail {

constexpr int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `digits` hex digits at `pos`; false on any non-hex character.
constexpr bool ReadHex(std::string_view text, std::size_t pos, std::size_t digits,
                       std::uint32_t& value) {
  value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    const int digit = HexValue(text[pos + i]);
    if (digit < 0) return false;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return true;
}

// Parses the 36-character body "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX".
constexpr std::optional<GUID> ParseBody(std::string_view body) {
  if (body.size() != 36 || body[8] != '-' || body[13] != '-' || body[18] != '-' ||
      body[23] != '-') {
    return std::nullopt;
  }
  GUID guid{};
  std::uint32_t value = 0;
  if (!ReadHex(body, 0, 8, value)) return std::nullopt;
  guid.Data1 = value;
  if (!ReadHex(body, 9, 4, value)) return std::nullopt;
  guid.Data2 = static_cast<std::uint16_t>(value);
  if (!ReadHex(body, 14, 4, value)) return std::nullopt;
  guid.Data3 = static_cast<std::uint16_t>(value);
  constexpr std::size_t kByteOffsets[8] = {19, 21, 24, 26, 28, 30, 32, 34};
  for (std::size_t i = 0; i < 8; ++i) {
    if (!ReadHex(body, kByteOffsets[i], 2, value)) return std::nullopt;
    guid.Data4[i] = static_cast<std::uint8_t>(value);
  }
  return guid;
}

}  // namespace guid_detail

// Parses the braced registry form; std::nullopt for anything else
// (missing braces, wrong length, stray characters, surrounding blanks).
constexpr std::optional<GUID> ParseGuid(std::string_view text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
  return guid_detail::ParseBody(text.substr(1, 36));
}

// Compile-time GUID from a literal, with or without braces; a malformed
// literal is a compile error.
consteval GUID MakeGuid(std::string_view text) {
  const auto parsed = text.size() == 36 ? guid_detail::ParseBody(text) : ParseGuid(text);
  if (!parsed) throw "malformed GUID literal";
  return *parsed;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
std::string FormatGuid(const GUID& guid);

}  // namespace platform

template <>
struct std::hash<GUID> {
  std::size_t operator()(const GUID& guid) const noexcept {
    std::uint64_t high =
        (std::uint64_t{guid.Data1} << 32) | (std::uint64_t{guid.Data2} << 16) | guid.Data3;
    std::uint64_t low = 0;
    for (std::uint8_t octet : guid.Data4) low = (low << 8) | octet;
    return std::hash<std::uint64_t>{}(high ^ (low * 0x9E3779B97F4A7C15ull));
  }
};
