// The scheme a location starts with, for the loaders that must tell a URL
// they cannot read ("ftp://x/", "http://host/layout.xml") from a path: a
// location of an unknown scheme is refused by name rather than taken for a
// relative file path that happens to hold a colon.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

// The scheme of `location` as RFC 3986 spells one (a letter, then letters,
// digits, "+", "-" or ".", ended by ":"), as written. A single letter is a
// drive ("C:\x", "c:/x"), not a scheme, so it gives none; so does a
// location with no such run before its first ":".
std::optional<std::string_view> UrlSchemeOf(std::string_view location);

// Whether `location` has the scheme `lowerCaseScheme`, in any case.
bool HasUrlScheme(std::string_view location, std::string_view lowerCaseScheme);

}  // namespace platform
