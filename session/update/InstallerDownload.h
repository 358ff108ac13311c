// The installer's download: the URL fetched to a file through the URL
// moniker, as the browser itself downloads, within the installer's bounds
// (UpdateLimits.h). Blocks: workers only.
#pragma once

#include <string>

namespace session {

// True when the whole file arrived at `path` within the bounds.
bool DownloadInstaller(const std::string& url, const std::string& path);

}  // namespace session
