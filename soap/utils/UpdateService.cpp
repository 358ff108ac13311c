#include "soap/utils/UpdateService.h"

#include "platform/com/ComInit.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Trace.h"
#include "soap/utils/CUtilsT.h"

namespace soap {

std::string UpdateService::bxUpdate() const {
  try {
    platform::Trace("UpdateService::Connect begin");
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
    if (FAILED(hr)) {
      platform::Trace("UpdateService::Connect end");
      return "";
    }
    const std::string versionNumber = platform::WideToAnsi(version.VersionNumber.value_or(u""));
    platform::Trace("UpdateService::bxUpdate Version: " + versionNumber);
    std::string download;
    if (versionNumber != kProductVersion)
      download = platform::WideToAnsi(version.DownloadURL.value_or(u""));
    platform::Trace("UpdateService::Connect end");
    return download;
  } catch (...) {
    platform::Trace("UpdateService::Connect exception");
    return "";
  }
}

}  // namespace soap
