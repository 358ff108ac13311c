// The typed setters, the same on both systems: the bytes each type stores (a
// string with its terminator, a DWORD in little-endian order) handed to the
// system's SetValue.
#include <limits>
#include <string>

#include "platform/registry/RegistryKey.h"

namespace platform {
namespace {

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

LSTATUS RegistryKey::SetStringValue(std::string_view name, std::string_view value, DWORD type) {
  if (!IsStringType(type)) return ERROR_INVALID_PARAMETER;
  if (value.size() >= std::numeric_limits<DWORD>::max()) return ERROR_INVALID_PARAMETER;
  std::string terminated(value);
  terminated.push_back('\0');
  return SetValue(name, type, terminated.data(), static_cast<DWORD>(terminated.size()));
}

LSTATUS RegistryKey::SetDWORDValue(std::string_view name, DWORD value) {
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return SetValue(name, REG_DWORD, bytes, sizeof bytes);
}

LSTATUS RegistryKey::SetBinaryValue(std::string_view name, std::span<const std::uint8_t> value) {
  if (value.size() > std::numeric_limits<DWORD>::max()) return ERROR_INVALID_PARAMETER;
  return SetValue(name, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
}

}  // namespace platform
