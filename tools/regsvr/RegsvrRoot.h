// The machine vimaru-regsvr runs on: a mapped file system and a registry,
// kept in a host directory across runs (--root: drives as its "c", "d", ...
// folders, the registry as its "registry.reg") or made fresh for one run
// and removed afterwards. Either way the product's module is found at its
// installed path: when nothing is there, the module this tool was built
// with is put there, as the installer would have done.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/files/FileSystem.h"

namespace tools::regsvr {

class RegsvrRoot {
 public:
  // False in `ready` when the directory cannot be made or its registry file
  // not read; `error` says which.
  RegsvrRoot(const std::optional<std::string>& keptDirectory,
             const std::filesystem::path& builtModule);
  ~RegsvrRoot();
  RegsvrRoot(const RegsvrRoot&) = delete;
  RegsvrRoot& operator=(const RegsvrRoot&) = delete;

  bool Ready() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

  // Writes the registry back into the kept directory; true without one.
  bool Keep() const;

 private:
  std::optional<std::filesystem::path> kept_;
  std::unique_ptr<platform::ScopedFileSystemRoot> fresh_;
  std::string error_;
};

}  // namespace tools::regsvr
