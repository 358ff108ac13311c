#include "tools/inspect/HostFiles.h"

#include <cctype>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "framework/context/StandaloneTabContextC.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryKey.h"

namespace tools {

namespace fs = std::filesystem;

namespace {

// The host directories behind drives C: and Z: (the mapping lower-cases).
constexpr std::string_view kProductDriveDirectory = "c";
constexpr std::string_view kHostDriveDirectory = "z";

fs::path CreateFreshDirectory() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        fs::temp_directory_path() / ("vimaru-tool-" + std::to_string(random()));
    if (fs::create_directory(candidate)) return candidate;
  }
  throw std::runtime_error("cannot create a temporary directory");
}

bool IsWindowsDrivePath(std::string_view text) {
  return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
         (text[2] == '\\' || text[2] == '/');
}

std::string HostPathOnDrive(std::string_view hostPath) {
  std::string absolute = fs::absolute(fs::path(hostPath)).lexically_normal().string();
  std::string windows = std::string(1, kHostDrive) + ":";
  for (char c : absolute) windows += c == '/' ? '\\' : c;
  return windows;
}

}  // namespace

HostFileSystem::HostFileSystem() : root_(CreateFreshDirectory()) {
  fs::create_directory(root_ / kProductDriveDirectory);
  fs::create_directory_symlink("/", root_ / kHostDriveDirectory);
  platform::SetFileSystemRoot(root_.string());
  platform::MakeDirectories(platform::GetModuleDirectory());
  platform::MakeDirectories(platform::TempDirectoryPath());
}

HostFileSystem::~HostFileSystem() {
  std::error_code ignored;
  // The host drive is a link to "/": take the link away before removing the
  // tree, so nothing can ever reach through it.
  fs::remove(root_ / kHostDriveDirectory, ignored);
  fs::remove_all(root_, ignored);
}

std::string ToProductLocation(std::string_view location) {
  constexpr std::string_view kFileScheme = "file://";
  // No location stays no location, which the toolband answers with its
  // failed load; as a host path it would name the working directory.
  if (location.empty()) return {};
  if (location.starts_with("res://") || IsWindowsDrivePath(location)) return std::string(location);
  if (location.starts_with(kFileScheme)) {
    const std::string_view rest = location.substr(kFileScheme.size());
    if (IsWindowsDrivePath(rest)) return std::string(location);
    return std::string(kFileScheme) + HostPathOnDrive(rest);
  }
  return HostPathOnDrive(location);
}

std::optional<std::string> ReadHostFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

bool StoreLayoutCopyFrom(const std::string& hostPath, std::ostream& err) {
  const std::optional<std::string> bytes = ReadHostFile(hostPath);
  if (!bytes) {
    err << "cannot read " << hostPath << '\n';
    return false;
  }
  platform::RegistryKey key;
  if (key.Create(HKEY_CURRENT_USER, framework::kProductLayoutKeyPath) != ERROR_SUCCESS ||
      key.SetValue(framework::kProductLayoutValueName, REG_BINARY, bytes->data(),
                   static_cast<DWORD>(bytes->size())) != ERROR_SUCCESS) {
    err << "cannot store the layout copy\n";
    return false;
  }
  return true;
}

}  // namespace tools
