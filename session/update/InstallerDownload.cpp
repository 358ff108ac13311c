#include "session/update/InstallerDownload.h"

#include "platform/browser/UrlMon.h"
#include "platform/com/ComObject.h"
#include "session/update/DownloadBounds.h"

namespace session {

bool DownloadInstaller(const std::string& url, const std::string& path) {
  const platform::ComPtr<DownloadBounds> bounds = platform::Make<DownloadBounds>();
  return SUCCEEDED(URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, bounds.Get()));
}

}  // namespace session
