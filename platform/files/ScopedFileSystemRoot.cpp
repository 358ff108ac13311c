// A private file system per test: a fresh host directory made the root,
// with the directories the product expects to find already in place.
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/files/FileSystem.h"
#include "platform/files/FileSystemState.h"
#include "platform/files/WindowsPath.h"
#include "platform/text/CodePage.h"

namespace platform {

struct ScopedFileSystemRoot::Saved {
  files_detail::FileSystemState state;
};

ScopedFileSystemRoot::ScopedFileSystemRoot(std::string_view extraDrives)
    : saved_(std::make_unique<Saved>(Saved{files_detail::LoadState()})) {
  std::string pattern = (std::filesystem::temp_directory_path() / "vimaru-files-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot create a file system root");
  hostRoot_ = pattern;

  files_detail::FileSystemState fresh;
  fresh.hostRoot = hostRoot_;
  files_detail::StoreState(std::move(fresh));

  std::filesystem::create_directory(std::filesystem::path(hostRoot_) / "c");
  for (char drive : extraDrives) {
    std::filesystem::create_directory(std::filesystem::path(hostRoot_) /
                                      std::string(1, AnsiToLower(drive)));
  }
  MakeDirectories(ParentDirectory(kInstalledModulePath));
  MakeDirectories(ParentDirectory(GetHostExecutablePath()));
  MakeDirectories(TempDirectoryPath());
}

ScopedFileSystemRoot::~ScopedFileSystemRoot() {
  files_detail::StoreState(std::move(saved_->state));
  std::error_code ignored;
  std::filesystem::remove_all(hostRoot_, ignored);
}

}  // namespace platform
