// The checks and rewrites the WinINet stand-in applies to what callers give
// it before any of it reaches the wire: a caller's string must not be able
// to end a line of the request early, add a header, or name another host.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::internet {

// The request target for an object name: a leading "/" added when missing,
// a space as %20 and a byte above 0x7F as %XX; everything else as given.
// Fails for a control character (below 0x20, or 0x7F).
std::optional<std::string> RequestTargetOf(std::string_view objectName);

// A host name or IPv4 address as a URL and a Host header may carry it:
// 1 to 255 letters, digits, '-', '.' and '_'.
bool IsPlainServerName(std::string_view serverName);

// An HTTP token (RFC 9110): what a verb and a header name are made of.
bool IsToken(std::string_view text);

// Text for inside one header line: no control character other than a tab.
bool IsHeaderText(std::string_view text);

// The header lines of `headers`, split at each CR LF, empty lines dropped.
// Fails unless every line is "Name: value" with a token name and header
// text as value (so a bare CR or LF cannot start a line of its own).
std::optional<std::vector<std::string>> SplitHeaderLines(std::string_view headers);

}  // namespace platform::internet
