// Files on Windows' own file system. Paths arrive in the product's ANSI code
// page and go to the wide calls, so a name the code page can spell reaches
// the file whatever the console's code page is.
#ifdef _WIN32
#include <windows.h>

#include <limits>

#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"

namespace platform {
namespace {

std::u16string Wide(std::string_view ansiPath) { return AnsiToWide(ansiPath); }

struct FileHandle {
  HANDLE handle;
  explicit FileHandle(HANDLE h) : handle(h) {}
  ~FileHandle() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool IsValid() const { return handle != INVALID_HANDLE_VALUE; }
};

// FILETIME counts 100 ns ticks from 1601; the system clock counts from 1970.
constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000LL;

std::chrono::system_clock::time_point ToTimePoint(const FILETIME& time) {
  const std::int64_t ticks =
      (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>(ticks -
                                                                       kTicksFrom1601To1970)));
}

FILETIME ToFileTime(std::chrono::system_clock::time_point time) {
  const auto ticks =
      std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>>(
          time.time_since_epoch())
          .count() +
      kTicksFrom1601To1970;
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
  result.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
  return result;
}

DWORD AttributesOf(std::string_view path) { return GetFileAttributesW(AsWchar(Wide(path))); }

}  // namespace

std::string GetHostExecutablePath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return {};
  return WideToAnsi(std::u16string_view(AsChar16(path), length));
}

std::string TempDirectoryPath() {
  wchar_t path[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, path);
  if (length == 0 || length > MAX_PATH) return {};
  return WideToAnsi(std::u16string_view(AsChar16(path), length));
}

std::optional<std::string> LongPathName(std::string_view windowsPath) {
  const std::u16string wide = Wide(windowsPath);
  wchar_t path[MAX_PATH];
  const DWORD length = GetLongPathNameW(AsWchar(wide), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  return WideToAnsi(std::u16string_view(AsChar16(path), length));
}

bool PathExists(std::string_view windowsPath) {
  return AttributesOf(windowsPath) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(std::string_view windowsPath) {
  const DWORD attributes = AttributesOf(windowsPath);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::string> ReadWholeFile(std::string_view windowsPath) {
  FileHandle file(CreateFileW(AsWchar(Wide(windowsPath)), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.handle, &size) || size.QuadPart > std::numeric_limits<DWORD>::max() / 2) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size())) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<FileFacts> GetFileFacts(std::string_view windowsPath) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(AsWchar(Wide(windowsPath)), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  FileFacts facts;
  facts.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  facts.lastWrite = ToTimePoint(data.ftLastWriteTime);
  return facts;
}

bool SetFileLastWriteTime(std::string_view windowsPath,
                          std::chrono::system_clock::time_point time) {
  FileHandle file(CreateFileW(AsWchar(Wide(windowsPath)), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  const FILETIME written = ToFileTime(time);
  return SetFileTime(file.handle, nullptr, nullptr, &written) != FALSE;
}

bool WriteWholeFile(std::string_view windowsPath, std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<DWORD>::max()) return false;
  FileHandle file(CreateFileW(AsWchar(Wide(windowsPath)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  DWORD written = 0;
  return bytes.empty() || (WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()),
                                     &written, nullptr) &&
                           written == bytes.size());
}

bool RemoveFile(std::string_view windowsPath) {
  return DeleteFileW(AsWchar(Wide(windowsPath))) != FALSE;
}

bool MovePath(std::string_view fromWindowsPath, std::string_view toWindowsPath) {
  return MoveFileExW(AsWchar(Wide(fromWindowsPath)), AsWchar(Wide(toWindowsPath)), 0) != FALSE;
}

bool MovePathReplacing(std::string_view fromWindowsPath, std::string_view toWindowsPath) {
  return MoveFileExW(AsWchar(Wide(fromWindowsPath)), AsWchar(Wide(toWindowsPath)),
                     MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool MakeDirectory(std::string_view windowsPath) {
  return CreateDirectoryW(AsWchar(Wide(windowsPath)), nullptr) != FALSE ||
         GetLastError() == ERROR_ALREADY_EXISTS;
}

bool MakeDirectories(std::string_view windowsPath) {
  if (IsDirectory(windowsPath)) return true;
  const std::size_t slash = windowsPath.find_last_of("\\/");
  if (slash != std::string_view::npos && slash > 2 &&
      !MakeDirectories(windowsPath.substr(0, slash))) {
    return false;
  }
  return MakeDirectory(windowsPath);
}

bool RemoveEmptyDirectory(std::string_view windowsPath) {
  return RemoveDirectoryW(AsWchar(Wide(windowsPath))) != FALSE;
}

std::vector<FindData> FindFiles(std::string_view windowsPattern) {
  std::vector<FindData> found;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(AsWchar(Wide(windowsPattern)), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    FindData entry;
    entry.fileName = WideToAnsi(AsChar16(data.cFileName));
    if (entry.fileName == "." || entry.fileName == "..") continue;
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    found.push_back(std::move(entry));
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return found;
}

}  // namespace platform
#endif
