// Lets the tool read host files through the product's mapped Windows paths.
// While a HostFileSystem lives, the file-system root is a fresh temporary
// directory whose drive C: holds the module's directory and whose drive Z:
// is the host's whole file tree, so "/home/me/layout.xml" is reachable as
// "Z:\home\me\layout.xml".
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace tools {

inline constexpr char kHostDrive = 'Z';

class HostFileSystem {
 public:
  HostFileSystem();
  ~HostFileSystem();
  HostFileSystem(const HostFileSystem&) = delete;
  HostFileSystem& operator=(const HostFileSystem&) = delete;

 private:
  std::filesystem::path root_;
};

// A location as the product takes it: "res://" URLs and Windows paths pass
// unchanged; host paths (absolute or relative, bare or after "file://")
// become paths on the host drive.
std::string ToProductLocation(std::string_view location);

// The whole content of a host file, or nothing when it cannot be read.
std::optional<std::string> ReadHostFile(const std::string& path);

// Makes the content of the host file at `hostPath` the stored copy of the
// layout, where a browser tab keeps it; says on `err` what failed.
bool StoreLayoutCopyFrom(const std::string& hostPath, std::ostream& err);

}  // namespace tools
