// Decoding of the toolbar's bitmaps (LoadImage/LoadBitmap for the kinds the
// product ships): uncompressed 24- and 32-bit device-independent bitmaps with
// a BITMAPINFOHEADER (or a larger V4/V5 header), bottom-up or top-down.
// Anything else, and any header that does not fit the data, is refused: the
// bytes may come from a file the user can replace.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/module/ModuleLocal.h"

namespace platform {

// Pixels as 0x00RRGGBB, rows top to bottom, `width` pixels per row with no
// padding; the fourth byte of 32-bit source pixels is dropped. Note that a
// COLORREF (0x00BBGGRR, red in the low byte) differs: use
// PixelFromColorRef to compare with one, e.g. the mask colour 0xE2F0F0.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

constexpr std::uint32_t PixelFromColorRef(std::uint32_t colorRef) {
  return ((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) | ((colorRef >> 16) & 0xFFu);
}

// Each side at most this many pixels; larger claims are refused rather than
// allocated.
inline constexpr int kMaxBitmapSide = 16384;

// A .bmp file (starting "BM") or a bare DIB as a BITMAP resource stores it.
std::optional<Bitmap> DecodeBitmap(std::string_view bytes);

// LoadBitmap(our module, MAKEINTRESOURCE(id)): resource type "BITMAP" of the
// calling module (defined by its own part, platform/module).
VIMARU_MODULE_LOCAL std::optional<Bitmap> LoadBitmapResource(int id);

// LoadImage(..., LR_LOADFROMFILE) on a mapped Windows path.
std::optional<Bitmap> LoadBitmapFile(std::string_view windowsPath);

}  // namespace platform
