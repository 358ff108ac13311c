// Test controls of the registry stand-in. Tests start from an empty registry
// (ScopedRegistryReset) and can make a key behave as if an access control
// list forbade it: unopenable (every open of the key or a key below it fails
// with ERROR_ACCESS_DENIED) or unwritable (setting or deleting values,
// creating or deleting keys, and opening for write at or below the key fail
// with ERROR_ACCESS_DENIED). Rules name paths, so they hold for keys created
// after the rule and survive deletion of the key.
#pragma once

#include <string_view>

#include "platform/registry/RegistryTypes.h"

namespace platform {

void DenyRegistryOpen(HKEY root, std::string_view subKey);
void DenyRegistryWrite(HKEY root, std::string_view subKey);
void ClearRegistryDenials();

// Empties every hive and drops all rules. Handles open before the reset
// answer ERROR_KEY_DELETED afterwards.
void ResetRegistry();

// Gives the enclosing test a fresh empty registry and leaves an empty one
// behind.
class ScopedRegistryReset {
 public:
  ScopedRegistryReset() { ResetRegistry(); }
  ~ScopedRegistryReset() { ResetRegistry(); }
  ScopedRegistryReset(const ScopedRegistryReset&) = delete;
  ScopedRegistryReset& operator=(const ScopedRegistryReset&) = delete;
};

}  // namespace platform
