#include "session/update/InstallerLocation.h"

namespace session {

InstallerLocation LocateInstaller(std::string_view installDirectory, std::string_view url) {
  const std::size_t slash = url.rfind('/');
  std::string_view name = slash == std::string_view::npos ? url : url.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  name = name.substr(0, dot == std::string_view::npos ? 0 : dot);
  InstallerLocation location;
  location.installerPath = std::string(installDirectory) + "\\" + std::string(name) + ".exe";
  location.temporaryPath = location.installerPath + "__";
  return location;
}

}  // namespace session
