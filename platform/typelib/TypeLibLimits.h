// The bounds the type library reader puts on its input. A type library
// comes from a module's resources or a file on disk, either of which can be
// damaged or substituted: every offset and count is checked against these
// and the bytes actually there, so a hostile library fails to load instead
// of reading out of bounds or allocating without end.
#pragma once

#include <cstddef>

namespace platform {

// Largest library read; the product's own is about 2 KiB, the system's
// largest are a few MiB.
inline constexpr std::size_t kMaxTypeLibBytes = 16 * 1024 * 1024;

// Implemented interfaces read per type (a coclass's list is a chain of
// records in the file; this also ends a chain that loops).
inline constexpr std::size_t kMaxImplementedTypes = 1024;

}  // namespace platform
