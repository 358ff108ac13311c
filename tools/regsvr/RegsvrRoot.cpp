#include "tools/regsvr/RegsvrRoot.h"

#include <system_error>

#include "platform/registry/RegistryFile.h"
#include "tools/install/ModuleInstall.h"

namespace tools::regsvr {
namespace {

constexpr char kRegistryFileName[] = "registry.reg";

}  // namespace

RegsvrRoot::RegsvrRoot(const std::optional<std::string>& keptDirectory,
                       const std::filesystem::path& builtModule) {
  if (keptDirectory) {
    kept_ = std::filesystem::absolute(*keptDirectory);
    std::error_code failed;
    std::filesystem::create_directories(*kept_ / "c", failed);
    if (failed) {
      error_ = "cannot make the root " + kept_->string();
      return;
    }
    platform::SetFileSystemRoot(kept_->string());
    const auto registry = *kept_ / kRegistryFileName;
    if (std::filesystem::exists(registry) &&
        platform::LoadRegistryFile(registry) != ERROR_SUCCESS) {
      error_ = "cannot read " + registry.string();
      return;
    }
  } else {
    fresh_ = std::make_unique<platform::ScopedFileSystemRoot>();
  }
  if (!platform::PathExists(platform::kInstalledModulePath) && !InstallModule(builtModule)) {
    error_ = std::string("cannot install the module at ") + platform::kInstalledModulePath;
  }
}

RegsvrRoot::~RegsvrRoot() = default;

bool RegsvrRoot::Keep() const {
  return !kept_ || platform::SaveRegistryFile(*kept_ / kRegistryFileName) == ERROR_SUCCESS;
}

}  // namespace tools::regsvr
