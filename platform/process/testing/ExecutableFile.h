// Test support: a helper program for tests that start processes. Windows
// runs any ".exe" it is pointed at; on the host the file also needs its
// execute bits, which only the platform layer may set.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/files/FileSystem.h"

namespace platform::testing {

// Writes `script` (a "#!/bin/sh" script) to the mapped path and makes it
// executable; false when either step fails.
inline bool WriteExecutableScript(std::string_view windowsPath, std::string_view script) {
  if (!WriteWholeFile(windowsPath, script)) return false;
  std::optional<std::string> host = ToHostPath(windowsPath);
  return host && chmod(host->c_str(), 0755) == 0;
}

}  // namespace platform::testing
