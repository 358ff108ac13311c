// Where the update's installer goes: a file in the product's install
// directory named after the download's last path segment, and the file the
// download is written to before it takes that name.
//
// The service names the download, so its name is outside input: it must
// stay a plain file name in the install directory whatever the URL holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace session {

struct InstallerLocation {
  std::string installerPath;  // install directory + "\" + base name + ".exe"
  std::string temporaryPath;  // installerPath + "__"
};

// The base name is the last segment of the URL's path (query and fragment
// aside), percent-decoded, without its last "." and what follows; a segment
// without a dot is the base name whole ("setup" gives "setup.exe").
//
// nullopt, so nothing is fetched, for an empty install directory, a URL
// that is not http or https, and a segment that is no plain file name once
// decoded: empty, only dots and spaces, holding a separator, a drive's
// colon, a wildcard, a control character or another character Windows
// refuses in names, or a device name (CON, NUL, COM1, ...).
std::optional<InstallerLocation> LocateInstaller(std::string_view installDirectory,
                                                 std::string_view url);

}  // namespace session
