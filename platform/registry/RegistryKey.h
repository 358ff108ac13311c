// RegistryKey: the owner of one open registry key (what wil::unique_hkey and
// ATL's CRegKey are on Windows). Opening and creating take a root (one of the
// four hives or an open key) and a backslash-separated path; names of keys
// and values compare case-insensitively in the ANSI code page and keep the
// spelling they were created with; the empty value name is the key's default
// value. Every operation answers a Win32 error code and never throws.
//
// Access rights are checked per handle as on Windows: queries need
// KEY_QUERY_VALUE, sets and deletions KEY_SET_VALUE, creating subkeys
// KEY_CREATE_SUB_KEY, key enumeration KEY_ENUMERATE_SUB_KEYS. A handle whose
// key has been deleted meanwhile answers ERROR_KEY_DELETED. Empty path
// components ("Software\\\\Name") are skipped, so they name the same key as
// the path without them.
//
// String values (REG_SZ, REG_EXPAND_SZ) hold ANSI text, stored byte for byte
// as written: with its terminating NUL when the writer counted it, without
// one when it did not, as on Windows. A reader must bound what it reads and
// never trust a terminator to be there.
//
// All keys live in one process-wide tree guarded by one mutex; handles may be
// used from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegistryTypes.h"

namespace platform {

namespace registry_detail {
struct KeyNode;
}

class RegistryKey {
 public:
  RegistryKey() noexcept;
  ~RegistryKey();
  RegistryKey(RegistryKey&&) noexcept;
  RegistryKey& operator=(RegistryKey&&) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens an existing key (RegOpenKeyEx). ERROR_FILE_NOT_FOUND when a
  // component is missing, ERROR_ACCESS_DENIED when the key is unopenable or
  // write access is asked of an unwritable key, ERROR_INVALID_HANDLE for an
  // unknown root. On failure this handle is left closed.
  [[nodiscard]] LSTATUS Open(HKEY root, std::string_view subKey, REGSAM access = KEY_READ);
  [[nodiscard]] LSTATUS Open(const RegistryKey& parent, std::string_view subKey,
                             REGSAM access = KEY_READ);

  // Opens the key, creating it and any missing parents (RegCreateKeyEx).
  // `created`, when given, tells whether the final key was new.
  [[nodiscard]] LSTATUS Create(HKEY root, std::string_view subKey,
                               REGSAM access = KEY_READ | KEY_WRITE, bool* created = nullptr);
  [[nodiscard]] LSTATUS Create(const RegistryKey& parent, std::string_view subKey,
                               REGSAM access = KEY_READ | KEY_WRITE, bool* created = nullptr);

  void Close() noexcept;
  bool IsOpen() const noexcept;

  // RegQueryValueExA. With `data` null and `size` given, reports the size.
  // With a buffer smaller than the value, stores the needed size in `*size`
  // and answers ERROR_MORE_DATA. `type` may be null. `data` without `size`
  // is ERROR_INVALID_PARAMETER.
  [[nodiscard]] LSTATUS QueryValue(std::string_view name, DWORD* type, void* data,
                                   DWORD* size) const;

  // The text of a REG_SZ or REG_EXPAND_SZ value up to its first NUL;
  // ERROR_UNSUPPORTED_TYPE for other types.
  [[nodiscard]] LSTATUS QueryStringValue(std::string_view name, std::string& value) const;
  // A REG_DWORD value; ERROR_UNSUPPORTED_TYPE for other types,
  // ERROR_INVALID_DATA when it is not four bytes long.
  [[nodiscard]] LSTATUS QueryDWORDValue(std::string_view name, DWORD& value) const;
  // The bytes of a value of any type.
  [[nodiscard]] LSTATUS QueryBinaryValue(std::string_view name,
                                         std::vector<std::uint8_t>& value) const;

  // RegSetValueExA: stores `size` bytes of `data` as a value of `type`.
  [[nodiscard]] LSTATUS SetValue(std::string_view name, DWORD type, const void* data, DWORD size);
  [[nodiscard]] LSTATUS SetStringValue(std::string_view name, std::string_view value,
                                       DWORD type = REG_SZ);
  [[nodiscard]] LSTATUS SetDWORDValue(std::string_view name, DWORD value);
  [[nodiscard]] LSTATUS SetBinaryValue(std::string_view name, std::span<const std::uint8_t> value);

  [[nodiscard]] LSTATUS DeleteValue(std::string_view name);
  // Deletes the subkey with everything below it (RegDeleteTree with a
  // subkey name). An empty `subKey` is refused with ERROR_INVALID_PARAMETER:
  // a key cannot delete itself through its own handle.
  [[nodiscard]] LSTATUS DeleteSubKeyTree(std::string_view subKey);

  // Subkeys in case-insensitive name order, values in the order they were
  // first set. ERROR_NO_MORE_ITEMS past the end.
  [[nodiscard]] LSTATUS EnumKey(DWORD index, std::string& name) const;
  [[nodiscard]] LSTATUS EnumValue(DWORD index, std::string& name, DWORD* type = nullptr) const;

 private:
  std::shared_ptr<registry_detail::KeyNode> node_;
  REGSAM access_ = 0;
};

// Deletes `subKey` below `root` with everything under it, without the caller
// holding a handle to the parent (RegDeleteTree(root, subKey)).
[[nodiscard]] LSTATUS DeleteRegistryTree(HKEY root, std::string_view subKey);

}  // namespace platform
