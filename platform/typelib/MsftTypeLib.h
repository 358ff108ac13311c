// The reader of the "MSFT" type library format (what MIDL and widl write
// into .tlb files and TYPELIB resources), as publicly described: a header
// with the library's attributes, a table of fixed-size type records, and
// segments (GUIDs, names, strings, implemented-type references) that the
// records point into by byte offset.
//
// Only what ITypeLib and ITypeInfo answer here is read: the library's
// GUID, locale, system, version, flags, name and documentation, and for
// each type its kind, GUID, flags, version, name, documentation, member
// counts and implemented types. Every offset is checked against its
// segment and every segment against the file; anything out of range, a
// wrong signature or a size past TypeLibLimits.h rejects the whole library.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/typelib/TypeLib.h"

namespace platform {

struct MsftImplementedType {
  HREFTYPE reference = 0;
  INT flags = 0;  // IMPLTYPEFLAG_...
};

struct MsftTypeInfo {
  TYPEKIND kind = TKIND_ENUM;
  GUID guid{};
  WORD flags = 0;  // TYPEFLAG_...
  WORD majorVersion = 0;
  WORD minorVersion = 0;
  WORD functionCount = 0;
  WORD variableCount = 0;
  WORD vtableSize = 0;
  ULONG instanceSize = 0;
  std::string name;  // text in the library's code page
  std::string docString;
  DWORD helpContext = 0;
  std::vector<MsftImplementedType> implementedTypes;
};

struct MsftTypeLib {
  GUID libid{};
  LCID lcid = 0;
  SYSKIND syskind = SYS_WIN32;
  WORD majorVersion = 0;
  WORD minorVersion = 0;
  WORD flags = 0;  // LIBFLAG_...
  std::string name;
  std::string helpString;
  std::string helpFile;
  DWORD helpContext = 0;
  std::vector<MsftTypeInfo> types;
};

// A type of this library is referred to by its record's offset in the type
// table; references with the low bit set name imported types.
inline constexpr HREFTYPE kMsftTypeRecordSize = 0x64;
std::optional<std::size_t> MsftLocalTypeIndex(const MsftTypeLib& library, HREFTYPE reference);

std::optional<MsftTypeLib> ReadMsftTypeLib(std::string_view bytes);

}  // namespace platform
