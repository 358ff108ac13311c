// Addresses typed into or expanded for "Navigate" may hold blanks, raw
// non-ASCII characters or half-escaped text; the browser wants them escaped
// exactly once. The address is split into its parts with escapes undone and
// put together again with escaping applied, as InternetCrackUrl and
// InternetCreateUrl do on Windows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace framework {

// Each part and the rebuilt address live in buffers of this many
// characters (the terminator included).
inline constexpr std::size_t kUrlBufferChars = 4096;

// nullopt when the text is not "scheme://..." or a part or the result does
// not fit its buffer: the caller then uses the address as it was.
std::optional<std::u16string> NormaliseUrl(std::u16string_view url);

}  // namespace framework
