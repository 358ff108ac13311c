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
  // Throws ToolFailure when the temporary directories cannot be made.
  HostFileSystem();
  ~HostFileSystem();
  HostFileSystem(const HostFileSystem&) = delete;
  HostFileSystem& operator=(const HostFileSystem&) = delete;

 private:
  std::filesystem::path root_;
};

// A location as the product's loaders take it: "res://" URLs and Windows
// paths (also as file: URLs) pass unchanged; host paths (absolute or
// relative, bare or after "file:" or "file://") become paths on the host
// drive. A URL of any other scheme
// ("http://host/x.xml") gives nothing, with `problem` naming the scheme: the
// layout loader reads no network, and as a host path it would name a file
// nobody meant.
std::optional<std::string> ToProductLocation(std::string_view location, std::string& problem);

// A page address as the stand-in browser takes it: URLs of the schemes it
// loads (http, https, about, res) pass unchanged; file URLs and paths become
// product locations as above; any other scheme gives nothing, with
// `problem` naming it.
std::optional<std::string> ToPageAddress(std::string_view address, std::string& problem);

// The whole content of a host file, or nothing when it cannot be read.
std::optional<std::string> ReadHostFile(const std::string& path);

// Makes the content of the host file at `hostPath` the stored copy of the
// layout, where a browser tab keeps it; false with the reason in `problem`.
bool StoreLayoutCopyFrom(const std::string& hostPath, std::string& problem);

}  // namespace tools
