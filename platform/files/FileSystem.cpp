// File operations on mapped Windows paths, with the results Windows gives:
// false or nullopt for every failure, never an exception.
#include "platform/files/FileSystem.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/files/HostMapping.h"
#include "platform/files/WindowsPath.h"
#include "platform/text/CodePage.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using files_detail::MapPath;

fs::file_status StatusOf(const fs::path& path) {
  std::error_code error;
  return fs::status(path, error);
}

bool IsHostDirectory(const fs::path& path) { return fs::is_directory(StatusOf(path)); }

bool IsHostFile(const fs::path& path) { return fs::is_regular_file(StatusOf(path)); }

}  // namespace

std::optional<std::string> LongPathName(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped || !fs::exists(StatusOf(mapped->host))) return std::nullopt;
  std::string longPath = mapped->windows;
  // A trailing backslash survives, as the real call keeps it: callers append
  // file names straight to the temporary directory.
  const bool trailing =
      !windowsPath.empty() && (windowsPath.back() == '\\' || windowsPath.back() == '/');
  if (trailing && longPath.back() != '\\') longPath.push_back('\\');
  return longPath;
}

bool PathExists(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  return mapped && fs::exists(StatusOf(mapped->host));
}

bool IsDirectory(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  return mapped && IsHostDirectory(mapped->host);
}

std::optional<std::string> ReadWholeFile(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped || !IsHostFile(mapped->host)) return std::nullopt;
  std::ifstream in(mapped->host, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<FileFacts> GetFileFacts(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped || !IsHostFile(mapped->host)) return std::nullopt;
  std::error_code error;
  const std::uintmax_t size = fs::file_size(mapped->host, error);
  if (error) return std::nullopt;
  const fs::file_time_type written = fs::last_write_time(mapped->host, error);
  if (error) return std::nullopt;
  return FileFacts{size, std::chrono::time_point_cast<std::chrono::system_clock::duration>(
                             std::chrono::file_clock::to_sys(written))};
}

bool SetFileLastWriteTime(std::string_view windowsPath,
                          std::chrono::system_clock::time_point time) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped || !IsHostFile(mapped->host)) return false;
  std::error_code error;
  fs::last_write_time(mapped->host, std::chrono::file_clock::from_sys(time), error);
  return !error;
}

bool WriteWholeFile(std::string_view windowsPath, std::string_view bytes) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped || !IsHostDirectory(mapped->host.parent_path()) || IsHostDirectory(mapped->host)) {
    return false;
  }
  std::ofstream out(mapped->host, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool RemoveFile(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped || IsHostDirectory(mapped->host)) return false;
  std::error_code error;
  return fs::remove(mapped->host, error) && !error;
}

bool MovePath(std::string_view fromWindowsPath, std::string_view toWindowsPath) {
  const auto from = MapPath(fromWindowsPath);
  const auto to = MapPath(toWindowsPath);
  if (!from || !to) return false;
  std::error_code error;
  if (!fs::exists(fs::symlink_status(from->host, error))) return false;
  // MoveFile never replaces: the destination must not exist under any
  // spelling (MapPath already found a differently-cased existing name).
  if (fs::exists(fs::symlink_status(to->host, error))) {
    // Renaming a file to another case of its own name is allowed.
    if (AnsiToLower(from->windows) != AnsiToLower(to->windows)) return false;
  }
  if (!IsHostDirectory(to->host.parent_path())) return false;
  // The new name is spelled as the caller wrote it, which is what makes a
  // case-only rename do something.
  const fs::path target =
      to->host.parent_path() / FileNamePart(*NormalizeWindowsPath(toWindowsPath));
  fs::rename(from->host, target, error);
  return !error;
}

bool MovePathReplacing(std::string_view fromWindowsPath, std::string_view toWindowsPath) {
  const auto from = MapPath(fromWindowsPath);
  const auto to = MapPath(toWindowsPath);
  if (!from || !to || !IsHostFile(from->host)) return false;
  if (IsHostDirectory(to->host) || !IsHostDirectory(to->host.parent_path())) return false;
  // An existing destination keeps its spelling (MapPath found it under any
  // case); rename(2) replaces it atomically.
  std::error_code error;
  fs::rename(from->host, to->host, error);
  return !error;
}

bool MakeDirectory(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped || !IsHostDirectory(mapped->host.parent_path())) return false;
  std::error_code error;
  return fs::create_directory(mapped->host, error) && !error;
}

bool MakeDirectories(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped) return false;
  std::error_code error;
  fs::create_directories(mapped->host, error);
  return IsHostDirectory(mapped->host);
}

bool RemoveEmptyDirectory(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped || !IsHostDirectory(mapped->host)) return false;
  std::error_code error;
  return fs::remove(mapped->host, error) && !error;
}

std::vector<FindData> FindFiles(std::string_view windowsPattern) {
  const std::size_t slash = windowsPattern.find_last_of("\\/");
  if (slash == std::string_view::npos) return {};
  const std::string_view wildcard = windowsPattern.substr(slash + 1);
  const auto directory = MapPath(windowsPattern.substr(0, slash + 1));
  if (wildcard.empty() || !directory) return {};

  std::vector<FindData> found;
  std::error_code error;
  fs::directory_iterator entries(directory->host, error);
  if (error) return {};
  for (const auto& entry : entries) {
    std::string name = entry.path().filename().string();
    if (!MatchesWildcard(wildcard, name)) continue;
    FindData data;
    data.isDirectory = entry.is_directory(error);
    data.size = data.isDirectory ? 0 : entry.file_size(error);
    data.fileName = std::move(name);
    found.push_back(std::move(data));
  }
  std::sort(found.begin(), found.end(), [](const FindData& a, const FindData& b) {
    return AnsiToLower(a.fileName) < AnsiToLower(b.fileName);
  });
  return found;
}

std::optional<std::string> ToHostPath(std::string_view windowsPath) {
  const auto mapped = MapPath(windowsPath);
  if (!mapped) return std::nullopt;
  return mapped->host.string();
}

}  // namespace platform
