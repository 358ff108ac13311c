// Where the update's installer goes: a file in the product's install
// directory named after the download's last path segment, and the file the
// download is written to before it takes that name.
#pragma once

#include <string>
#include <string_view>

namespace session {

struct InstallerLocation {
  std::string installerPath;  // install directory + "\" + base name + ".exe"
  std::string temporaryPath;  // installerPath + "__"
};

// The base name is the URL's text after its last "/" (the whole URL when it
// has none) without its last "." and what follows.
InstallerLocation LocateInstaller(std::string_view installDirectory, std::string_view url);

}  // namespace session
