// Bounds the response parser puts on what a server sends. libxml2's push
// parser does not enforce its own depth and text limits when it is fed in
// pieces, so the content handlers count for themselves; a response beyond
// any of these fails the call with the parse error instead of growing
// without bound.
#pragma once

#include <cstddef>

namespace soap {

// Elements nested below the Envelope element (the services need 6).
inline constexpr std::size_t kMaxElementDepth = 64;

// UTF-8 bytes of one field's text (or a fault field's text).
inline constexpr std::size_t kMaxFieldTextBytes = 1024 * 1024;

// Items of one array (the services send at most a few hundred).
inline constexpr std::size_t kMaxArrayItems = 100000;

}  // namespace soap
