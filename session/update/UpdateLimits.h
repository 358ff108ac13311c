// The bounds the update check puts on the installer's download. The
// service names the file and its host serves it: neither is trusted to keep
// the size or the pace of an installer, and the worker holds the module
// alive until the download ends.
#pragma once

#include <cstdint>

namespace session {

// The installer is a few megabytes; far more is not an installer, and the
// file would sit in the install directory.
inline constexpr std::uint64_t kMaxInstallerBytes = 16ull * 1024 * 1024;

// The whole download on the product's clock, a slow line's 16 MiB included:
// a peer that sends a byte just often enough never to fall silent would
// otherwise keep the worker for as long as it likes.
inline constexpr std::uint64_t kInstallerDownloadTimeMs = 10ull * 60 * 1000;

}  // namespace session
