// The registry names of a registered type library, shared by its loading
// (LoadRegTypeLib) and its registration: HKCR\TypeLib\{libid}\major.minor
// with the version in hexadecimal, and below it the locale in hexadecimal
// and the system's name.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/com/Guid.h"
#include "platform/typelib/TypeLib.h"

namespace platform::typelib_detail {

inline std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", value);
  return text;
}

inline std::string VersionText(WORD major, WORD minor) { return Hex(major) + "." + Hex(minor); }

inline std::string LibraryKey(const GUID& libid) { return "TypeLib\\" + FormatGuid(libid); }

inline std::string VersionKey(const GUID& libid, WORD major, WORD minor) {
  return LibraryKey(libid) + "\\" + VersionText(major, minor);
}

inline std::string_view SysKindName(SYSKIND syskind) {
  switch (syskind) {
    case SYS_WIN16:
      return "win16";
    case SYS_MAC:
      return "mac";
    case SYS_WIN64:
      return "win64";
    case SYS_WIN32:
      break;
  }
  return "win32";
}

// "0\win32": the subkey of the version key that holds the library's path.
inline std::string PathKey(LCID lcid, SYSKIND syskind) {
  return Hex(lcid) + "\\" + std::string(SysKindName(syskind));
}

}  // namespace platform::typelib_detail
