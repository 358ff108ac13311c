// The module this code is linked into: its handle and its path.
//
// Each binary that plays a module links its own copy of platform/module
// (statically, symbols hidden): the product's server module, every test
// program and tool that links product code itself, and the shared stand-in
// system. So ThisModule() answers the module the calling code lives in, as
// ATL's _AtlBaseModule.GetModuleInstance() does on Windows, and the module's
// path (ModuleFilePath() in platform/files/FileSystem.h) is that module's
// own text. A module records its path at start; a program that links the
// product itself keeps kInstalledModulePath.
#pragma once

#include <string>

#include "platform/module/ModuleLocal.h"
#include "platform/ui/WinTypes.h"

namespace platform {

// The module's handle: the address it is loaded at, as on Windows.
VIMARU_MODULE_LOCAL HINSTANCE ThisModule();

// For tests: the module's path reads `windowsPath` while this lives, and the
// previous one afterwards.
class VIMARU_MODULE_LOCAL ScopedModuleFilePath {
 public:
  explicit ScopedModuleFilePath(std::string_view windowsPath);
  ~ScopedModuleFilePath();
  ScopedModuleFilePath(const ScopedModuleFilePath&) = delete;
  ScopedModuleFilePath& operator=(const ScopedModuleFilePath&) = delete;

 private:
  std::string previous_;
};

}  // namespace platform
