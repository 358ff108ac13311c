// Puts a module built on the host where its installer puts it on Windows,
// inside the mapped file system, so that the registry's InprocServer32 can
// name its Windows path and activation loads it from there, beside the
// layout and the search history the framework keeps in its directory.
//
//   platform::ScopedFileSystemRoot root;
//   ASSERT_TRUE(tools::InstallModule(VIMARU_SERVER_MODULE));
//   // C:\Program Files\Vimaru Group Inc\VimaruIEToolbar\VimaruIEToolbar.dll
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/files/FileSystem.h"

namespace tools {

// Links `builtModule` (a host file) at `windowsPath`, making the directories
// on the way and replacing what was there. A link, not a copy: the module is
// large in sanitizer builds, and the loader treats both alike. False when no
// root is set, the path is no drive path or the link cannot be made.
bool InstallModule(const std::filesystem::path& builtModule,
                   std::string_view windowsPath = platform::kInstalledModulePath);

}  // namespace tools
