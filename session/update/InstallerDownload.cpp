#include "session/update/InstallerDownload.h"

#include "platform/browser/UrlMon.h"

namespace session {

bool DownloadInstaller(const std::string& url, const std::string& path) {
  return SUCCEEDED(URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, nullptr));
}

}  // namespace session
