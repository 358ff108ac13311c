#include "soap/utils/UpdateService.h"

#include "platform/com/ComInit.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"
#include "soap/utils/CUtilsT.h"

namespace soap {

std::string UpdateService::bxUpdate() const {
  return platform::ContainTraced("UpdateService::Connect", std::string(), [&] {
    Utils::DesktopVersion version;
    HRESULT hr = E_FAIL;
    {
      Utils::CUtils proxy;
      if (endpoint_) proxy.SetUrl(*endpoint_);
      // Uninitialises only what it initialised: a thread already in the
      // other apartment model keeps its own initialisation.
      const platform::ScopedComInit com;
      hr = proxy.VersionInfo(kProductOfferId, &version);
    }
    if (FAILED(hr)) return std::string();
    const std::string versionNumber = platform::WideToAnsi(version.VersionNumber.value_or(u""));
    platform::Trace("UpdateService::bxUpdate Version: " + versionNumber);
    std::string download;
    if (versionNumber != kProductVersion)
      download = platform::WideToAnsi(version.DownloadURL.value_or(u""));
    return download;
  });
}

}  // namespace soap
