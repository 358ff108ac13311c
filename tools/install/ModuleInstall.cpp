#include "tools/install/ModuleInstall.h"

#include <system_error>

#include "platform/files/WindowsPath.h"

namespace tools {

bool InstallModule(const std::filesystem::path& builtModule, std::string_view windowsPath) {
  const auto canonical = platform::NormalizeWindowsPath(windowsPath);
  if (!canonical || !platform::MakeDirectories(platform::ParentDirectory(*canonical))) return false;
  const auto hostPath = platform::ToHostPath(*canonical);
  if (!hostPath) return false;
  std::error_code error;
  std::filesystem::remove(*hostPath, error);
  std::filesystem::create_symlink(std::filesystem::absolute(builtModule, error), *hostPath, error);
  return !error && platform::PathExists(*canonical);
}

}  // namespace tools
