// The hash the toolbar has always compared category labels and blocked terms
// by, and what follows from it: a keyword of length L is hashed whole but
// compared only over the window's length, so it also matches every shorter
// prefix whose remaining units add nothing to the hash modulo 2^32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace session {

// Sum of unit k times 2 << (k mod 32), wrapping at 32 bits: the weight of
// unit 31 wraps to 0, and the weights start again from 2 at unit 32.
std::int32_t KeywordHash(std::u16string_view keyword);

// The window lengths, ascending, at which the keyword matches a window that
// spells its first that many units: always its own length, and every shorter
// prefix whose hash equals the whole keyword's. Empty for an empty keyword.
std::vector<std::size_t> MatchingPrefixLengths(std::u16string_view keyword);

}  // namespace session
