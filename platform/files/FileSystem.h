// The mapped Windows file system: what the product sees as its disks.
//
// Every drive letter maps onto a host directory "<root>/<letter>" under one
// process-wide root; nothing outside the root can be reached, whatever the
// path says. Names are matched case-insensitively, as on Windows, so
// "C:\program files" finds "C:\Program Files". Without a root (nothing set
// it) no file exists and every write fails, which keeps stray tests away from
// the host's real files. Tests take a fresh root with ScopedFileSystemRoot.
//
// The process facts the product asks Windows for (its module's path, the
// browser's executable, the temporary directory) live here too, because
// each of them is a path. The thread id comes from the window toolkit
// (platform/ui), which numbers threads for its message queues.
//
// All functions are safe to call from any thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/module/ModuleLocal.h"

namespace platform {

// --- Process facts ---------------------------------------------------------

// Where the product's module is installed.
inline constexpr char kInstalledModulePath[] =
    "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll";

// The calling module's own path, as the module recorded it at start
// (GetModuleFileName(our module), full and canonical); until then, and in a
// program that links the product itself, kInstalledModulePath. Like every
// DLL's globals these belong to each module: they are defined by the
// module's own part (platform/module, ThisModule.h), not by the shared
// system, so a host and the modules it loads each answer their own.
VIMARU_MODULE_LOCAL std::string ModuleFilePath();
VIMARU_MODULE_LOCAL void SetModuleFilePath(std::string_view windowsPath);

// Directory of ModuleFilePath(), without a trailing backslash.
VIMARU_MODULE_LOCAL std::string GetModuleDirectory();

// GetModuleFileName(NULL): the browser's executable. Default
// "C:\Program Files\Internet Explorer\iexplore.exe".
std::string GetHostExecutablePath();
void SetHostExecutablePath(std::string_view windowsPath);

// GetTempPath: the user's temporary directory, always ending in a
// backslash. Default "C:\Users\User\AppData\Local\Temp\".
std::string TempDirectoryPath();
void SetTempDirectoryPath(std::string_view windowsPath);

// GetLongPathName: the path with every component spelled as it is stored on
// disk (and canonicalised). Like the real call it fails (nullopt) when the
// path does not exist, so a test makes the expansion fail by pointing
// SetTempPath at a directory it did not create.
std::optional<std::string> LongPathName(std::string_view windowsPath);

// --- Files -------------------------------------------------------------------

// GetFileAttributes != INVALID_FILE_ATTRIBUTES: a file or directory exists.
bool PathExists(std::string_view windowsPath);
bool IsDirectory(std::string_view windowsPath);

// Whole-file read; nullopt when the file cannot be read (missing, a
// directory, outside every drive).
std::optional<std::string> ReadWholeFile(std::string_view windowsPath);

// GetFileAttributesEx on a file: its size and last-write time; nullopt when
// it is missing or a directory.
struct FileFacts {
  std::uint64_t size = 0;
  std::chrono::system_clock::time_point lastWrite;
};
std::optional<FileFacts> GetFileFacts(std::string_view windowsPath);

// SetFileTime on the last-write time of a file; false when it is missing.
bool SetFileLastWriteTime(std::string_view windowsPath, std::chrono::system_clock::time_point time);

// Creates or truncates the file and writes all bytes; false when the parent
// directory does not exist or the write fails.
bool WriteWholeFile(std::string_view windowsPath, std::string_view bytes);

// DeleteFile: files only; false when missing or a directory.
bool RemoveFile(std::string_view windowsPath);

// MoveFile: renames a file or directory; fails when the destination exists,
// the source is missing, or the destination's directory is missing. Moves
// between drives work for files, as MoveFile copies them.
bool MovePath(std::string_view fromWindowsPath, std::string_view toWindowsPath);

// MoveFileEx with MOVEFILE_REPLACE_EXISTING: renames a file over the
// destination in one step, so whoever opens the destination finds either its
// old bytes or the new ones, never a mix or an empty file. Fails when the
// source is missing or not a file, the destination is a directory, or the
// destination's directory is missing; the destination is then untouched.
bool MovePathReplacing(std::string_view fromWindowsPath, std::string_view toWindowsPath);

// CreateDirectory: one level; false when it exists or the parent is missing.
bool MakeDirectory(std::string_view windowsPath);

// SHCreateDirectoryEx-like: creates every missing level; true when the
// directory exists afterwards.
bool MakeDirectories(std::string_view windowsPath);

// RemoveDirectory: empty directories only.
bool RemoveEmptyDirectory(std::string_view windowsPath);

struct FindData {
  std::string fileName;  // name as stored, no directory part
  bool isDirectory = false;
  std::uint64_t size = 0;
};

// FindFirstFile/FindNextFile over "<directory>\<wildcard>" (e.g.
// "C:\Program Files\Vimaru\*.dll"): matching entries, "." and ".." left out,
// ordered by name case-insensitively (the order NTFS lists them). An empty
// result also stands for a missing directory.
std::vector<FindData> FindFiles(std::string_view windowsPattern);

// The host path a Windows path maps to, for platform code that must hand a
// real path to the host (dlopen, posix_spawn). Existing components are
// matched case-insensitively; the rest are used as written. nullopt when the
// path is not a drive path or no root is set.
std::optional<std::string> ToHostPath(std::string_view windowsPath);

// --- Root ------------------------------------------------------------------

// Makes an existing host directory the root (the demo and the browser host
// tool do this once at start-up). Drive directories below it ("c", "d", ...)
// are created on demand by ScopedFileSystemRoot or by the caller.
void SetFileSystemRoot(std::string_view hostDirectory);

// --- Tests -------------------------------------------------------------------

// A fresh, empty file system for one test. Creates a private host directory,
// makes it the root, maps drive C: (and any further drive letters given),
// resets the process facts to their defaults and creates the directories of
// the installed module, the host executable and the temporary path. On destruction
// the previous root and facts come back and the directory tree is removed.
// Roots do not nest across threads: tests hold one at a time.
class ScopedFileSystemRoot {
 public:
  explicit ScopedFileSystemRoot(std::string_view extraDrives = "");
  ~ScopedFileSystemRoot();
  ScopedFileSystemRoot(const ScopedFileSystemRoot&) = delete;
  ScopedFileSystemRoot& operator=(const ScopedFileSystemRoot&) = delete;

  // The host directory behind the root (for assertions on host files).
  const std::string& HostRoot() const { return hostRoot_; }

 private:
  struct Saved;
  std::string hostRoot_;
  std::unique_ptr<Saved> saved_;
};

}  // namespace platform
