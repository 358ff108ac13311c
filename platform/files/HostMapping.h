// Internal to platform/files: where a Windows path lands on the host.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::files_detail {

struct MappedPath {
  std::filesystem::path host;  // "<root>/c/Program Files/..."
  std::string windows;         // canonical, existing components spelled as on disk
};

// nullopt when the text is not a drive path or no root is set. Components
// that exist are matched case-insensitively; the rest are taken as written.
std::optional<MappedPath> MapPath(std::string_view windowsPath);

}  // namespace platform::files_detail
