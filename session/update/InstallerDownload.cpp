#include "session/update/InstallerDownload.h"

#include "platform/browser/UrlMon.h"
#include "platform/com/ComInit.h"
#include "platform/com/ComObject.h"
#include "session/update/DownloadBounds.h"

namespace session {

bool DownloadInstaller(const std::string& url, const std::string& path) {
  // The URL moniker is COM: the worker's thread joins an apartment for the
  // download alone, as it does for every service call.
  const platform::ScopedComInit com;
  const platform::ComPtr<DownloadBounds> bounds = platform::Make<DownloadBounds>();
  return SUCCEEDED(URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, bounds.Get()));
}

}  // namespace session
