#include "tools/inspect/HostFiles.h"

#include <cctype>
#include <fstream>
#include <random>
#include <sstream>

#include "framework/context/StandaloneTabContextC.h"
#include "platform/browser/PageSource.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/UrlScheme.h"
#include "tools/inspect/ToolDiagnostics.h"

namespace tools {

namespace fs = std::filesystem;

namespace {

// The host directories behind drives C: and Z: (the mapping lower-cases).
constexpr std::string_view kProductDriveDirectory = "c";
constexpr std::string_view kHostDriveDirectory = "z";
constexpr std::string_view kFileScheme = "file:";

fs::path CreateFreshDirectory() {
  std::error_code error;
  const fs::path temporary = fs::temp_directory_path(error);
  if (error) throw ToolFailure("no temporary directory for the mapped drives");
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = temporary / ("vimaru-tool-" + std::to_string(random()));
    if (fs::create_directory(candidate, error)) return candidate;
    if (error) break;
  }
  throw ToolFailure("cannot create a directory for the mapped drives in " + temporary.string());
}

bool IsWindowsDrivePath(std::string_view text) {
  return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
         (text[2] == '\\' || text[2] == '/');
}

std::optional<std::string> HostPathOnDrive(std::string_view hostPath, std::string& problem) {
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(hostPath), error);
  if (error) {
    problem = "cannot make " + std::string(hostPath) + " absolute: the working directory is gone";
    return std::nullopt;
  }
  std::string windows = std::string(1, kHostDrive) + ":";
  for (char c : absolute.lexically_normal().string()) windows += c == '/' ? '\\' : c;
  return windows;
}

std::string UnsupportedScheme(std::string_view scheme, std::string_view whatIsRead) {
  return "the scheme '" + std::string(scheme) + "' is not supported: " + std::string(whatIsRead);
}

}  // namespace

HostFileSystem::HostFileSystem() : root_(CreateFreshDirectory()) {
  std::error_code error;
  fs::create_directory(root_ / kProductDriveDirectory, error);
  if (!error) fs::create_directory_symlink("/", root_ / kHostDriveDirectory, error);
  if (error) {
    fs::remove_all(root_, error);
    throw ToolFailure("cannot create the mapped drives in " + root_.string());
  }
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

std::optional<std::string> ToProductLocation(std::string_view location, std::string& problem) {
  // No location stays no location, which the toolband answers with its
  // failed load; as a host path it would name the working directory.
  if (location.empty()) return std::string();
  if (platform::HasUrlScheme(location, "res") || IsWindowsDrivePath(location)) {
    return std::string(location);
  }
  if (platform::HasUrlScheme(location, "file")) {
    std::string_view rest = location.substr(kFileScheme.size());
    if (rest.starts_with("//")) rest.remove_prefix(2);
    // "file:///C:/x" names drive C: as much as "file://C:\x" does.
    if (IsWindowsDrivePath(rest) || (rest.starts_with('/') && IsWindowsDrivePath(rest.substr(1)))) {
      return std::string(location);
    }
    const std::optional<std::string> path = HostPathOnDrive(rest, problem);
    if (!path) return std::nullopt;
    return std::string(kFileScheme) + "//" + *path;
  }
  if (const std::optional<std::string_view> scheme = platform::UrlSchemeOf(location)) {
    problem = UnsupportedScheme(*scheme,
                                "a location is a host path, a file:// URL, a Windows path or a "
                                "res:// location");
    return std::nullopt;
  }
  return HostPathOnDrive(location, problem);
}

std::optional<std::string> ToPageAddress(std::string_view address, std::string& problem) {
  const std::optional<std::string_view> scheme = platform::UrlSchemeOf(address);
  if (!scheme || platform::HasUrlScheme(address, "file")) {
    return ToProductLocation(address, problem);
  }
  if (!platform::browser::IsSupportedPageScheme(*scheme)) {
    problem = UnsupportedScheme(*scheme,
                                "the browser loads http, https, file, res and about: addresses "
                                "and host paths");
    return std::nullopt;
  }
  return std::string(address);
}

std::optional<std::string> ReadHostFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

bool StoreLayoutCopyFrom(const std::string& hostPath, std::string& problem) {
  const std::optional<std::string> bytes = ReadHostFile(hostPath);
  if (!bytes) {
    problem = "cannot read " + hostPath;
    return false;
  }
  platform::RegistryKey key;
  if (key.Create(HKEY_CURRENT_USER, framework::kProductLayoutKeyPath) != ERROR_SUCCESS ||
      key.SetValue(framework::kProductLayoutValueName, REG_BINARY, bytes->data(),
                   static_cast<DWORD>(bytes->size())) != ERROR_SUCCESS) {
    problem = "cannot store the layout copy";
    return false;
  }
  return true;
}

}  // namespace tools
