// What the module's path gives, the same on both systems.
#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"
#include "platform/module/ThisModule.h"

namespace platform {

std::string GetModuleDirectory() {
  const std::string directory = ParentDirectory(ModuleFilePath());
  // The product appends "\*.dll" to this, so a drive root loses its slash.
  if (directory.size() == 3 && directory[2] == '\\') return directory.substr(0, 2);
  return directory;
}

ScopedModuleFilePath::ScopedModuleFilePath(std::string_view windowsPath)
    : previous_(ModuleFilePath()) {
  SetModuleFilePath(windowsPath);
}

ScopedModuleFilePath::~ScopedModuleFilePath() { SetModuleFilePath(previous_); }

}  // namespace platform
