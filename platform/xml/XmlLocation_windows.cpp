#if defined(_WIN32)

#include "platform/xml/XmlLocation_windows.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/files/WindowsPath.h"
#include "platform/text/CodePage.h"
#include "platform/text/UrlScheme.h"
#include "platform/text/WideChars.h"
#include "platform/xml/ResUrl_windows.h"

namespace platform::xml_detail {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (IsOpen()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Each read and write moves at most this much, as ReadFile and WriteFile
// count in DWORDs.
constexpr std::size_t kMaxTransfer = 1u << 30;

std::optional<std::string> ReadFileBytes(const std::string& windowsPath) {
  const std::u16string path = AnsiToWide(windowsPath);
  const FileHandle file(CreateFileW(AsWchar(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size) ||
      static_cast<unsigned long long>(size.QuadPart) > std::numeric_limits<std::size_t>::max()) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size() - done, kMaxTransfer));
    if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace

std::optional<std::string> ReadLocation(std::string_view location, XmlParseError& error) {
  if (HasUrlScheme(location, "res")) {
    auto bytes = ResUrlBytes(location);
    if (!bytes) error.reason = "the module has no such resource";
    return bytes;
  }
  const auto path = FileUrlToWindowsPath(location);
  if (!path) {
    error.reason = "the location is not a file path";
    return std::nullopt;
  }
  auto bytes = ReadFileBytes(*path);
  if (!bytes) error.reason = "the file does not exist or cannot be read";
  return bytes;
}

bool WriteLocation(std::string_view windowsPath, std::string_view bytes) {
  const auto path = NormalizeWindowsPath(windowsPath);
  if (!path) return false;
  const std::u16string widePath = AnsiToWide(*path);
  const FileHandle file(CreateFileW(AsWchar(widePath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMaxTransfer));
    if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace platform::xml_detail

#endif  // _WIN32
