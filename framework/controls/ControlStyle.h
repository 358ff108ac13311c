// The per-control style word and display word that the layout document sets
// and the toolband reads.
#pragma once

#include <cstdint>

namespace framework {

namespace style {
// Switched off: kept in the tree, but no button on the toolbar.
inline constexpr std::uint32_t kDisabled = 0x80000000u;
// The control runs no command of its own (a menu button opens its menu).
inline constexpr std::uint32_t kNoOwnCommand = 0x40000000u;
inline constexpr std::uint32_t kAutoSize = 0x00000001u;
inline constexpr std::uint32_t kFixedList = 0x00000002u;
// The first top-level menu shown as just an image (the product's logo menu).
inline constexpr std::uint32_t kLeadingImageMenu = 0x00000004u;
inline constexpr std::uint32_t kToggle = 0x00000008u;
// SetStyleBits with this value clears the word instead of adding bits.
inline constexpr std::uint32_t kClearAll = 0xFFFFFFFFu;
}  // namespace style

namespace display {
inline constexpr std::uint32_t kCaptionShown = 0x1u;
inline constexpr std::uint32_t kImagePresent = 0x2u;
}  // namespace display

// The toolbar control's image index for "no image" (not -1, which the
// toolbar reads as an index to be supplied later).
inline constexpr int kNoImageIndex = -2;

}  // namespace framework
