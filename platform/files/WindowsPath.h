// Windows path and file URL handling for the mapped file namespace.
//
// Product code names files the way the original does on Windows:
// "C:\Program Files\Vimaru\x.xml", forward slashes tolerated, drive letters in
// either case, and "file://" URLs. These helpers turn such texts into one
// canonical form ("C:\Program Files\Vimaru\x.xml": upper-case drive, single
// backslashes, "." and ".." resolved) so that the file system stand-in and
// the res: protocol can compare and map paths without guessing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Canonical form of an absolute drive path, or nullopt when the text is not
// one (relative paths, UNC names, empty text) or when ".." would climb above
// the drive's root. A trailing separator is dropped except on the root
// itself ("C:\").
std::optional<std::string> NormalizeWindowsPath(std::string_view path);

// "file:///C:/dir/x.xml", "file://C:\dir\x.xml" and "file:C:/x" (scheme
// compared case-insensitively) become "C:\dir\x.xml"; percent escapes are
// decoded. A plain drive path is accepted as it is. Anything else: nullopt.
std::optional<std::string> FileUrlToWindowsPath(std::string_view url);

// Case-insensitive comparison of two paths after canonicalisation, as the
// Windows file system compares names. False when either is not a path.
bool SameWindowsPath(std::string_view a, std::string_view b);

// Everything before the last backslash of a canonical path ("C:\a\b.dll" ->
// "C:\a"; "C:\b.dll" -> "C:\").
std::string ParentDirectory(std::string_view canonicalPath);

// The last component of a path ("C:\a\b.dll" -> "b.dll").
std::string FileNamePart(std::string_view path);

// FindFirstFile's wildcard match on one file name: '*' any run, '?' one
// character, letters compared case-insensitively in the ANSI code page.
bool MatchesWildcard(std::string_view pattern, std::string_view fileName);

}  // namespace platform
