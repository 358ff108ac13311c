// The page text as the keyword scan reads it. The toolbar has always passed
// the page through the ANSI code page to lower-case it, so the scan sees what
// that round trip leaves: the text up to its first U+0000 (where the C-string
// conversion ends it), lower-cased as CharLowerA does, with every character
// Windows-1252 cannot hold turned into one '?' (a surrogate pair is one
// character, so the text can get shorter).
#pragma once

#include <string>
#include <string_view>

namespace session {

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The round trip platform::AnsiToWide(platform::AnsiToLower(
// platform::WideToAnsi(text))) of the text up to its first U+0000.
std::u16string PreparePageText(std::u16string_view pageText);

// What one unit becomes in that round trip as a character of its own: each
// surrogate becomes '?', U+0000 stays. Taking a text's units one at a time
// so gives its prepared text, except that a pair gives one '?', not two, and
// U+0000 ends it.
char16_t LowerThroughAnsi(char16_t unit);

// Whether the unit can appear in a prepared text at all. Keyword units that
// cannot (capitals, characters outside the code page, U+0000) never match.
bool CanOccurInPreparedText(char16_t unit);

}  // namespace session
