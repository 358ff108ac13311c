// Internal to platform/xml on Windows: the bytes behind the locations a
// document loads from and saves to. Reading them here rather than handing
// the location to MSXML keeps a missing file apart from a broken one (Wine's
// msxml3 reports both as the same failure) and keeps MSXML off every other
// protocol it knows.
#pragma once

#if defined(_WIN32)

#include <optional>
#include <string>
#include <string_view>

#include "platform/xml/XmlDocument.h"

namespace platform::xml_detail {

// A res:// URL of a loaded module ("res://" + module path + "/" [+ type +
// "/"] + name, HTML when no type is named), a file:// URL or a drive path:
// its bytes, or nullopt with the reason in `error`.
std::optional<std::string> ReadLocation(std::string_view location, XmlParseError& error);

// Creates or truncates the file at a drive path and writes all bytes.
bool WriteLocation(std::string_view windowsPath, std::string_view bytes);

}  // namespace platform::xml_detail

#endif  // _WIN32
