// BMP decoding. Every size and offset in a header is checked against the
// bytes actually present before a pixel is read, with 64-bit arithmetic so
// that hostile widths and heights cannot wrap.
#include "platform/resources/Bitmap.h"

#include <cstdint>

#include "platform/files/FileSystem.h"

namespace platform {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestInfoHeaderSize = 124;  // BITMAPV5HEADER
constexpr std::uint32_t kUncompressed = 0;             // BI_RGB

std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::uint16_t ReadU16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::int32_t ReadI32(std::string_view bytes, std::size_t at) {
  return static_cast<std::int32_t>(ReadU32(bytes, at));
}

// `dib` starts at the BITMAPINFOHEADER; `pixelOffset` counts from the start
// of `dib`, or is 0 to mean "right after the header and colour table".
std::optional<Bitmap> DecodeDib(std::string_view dib, std::uint64_t pixelOffset) {
  if (dib.size() < kInfoHeaderSize) return std::nullopt;
  const std::uint32_t headerSize = ReadU32(dib, 0);
  if (headerSize < kInfoHeaderSize || headerSize > kLargestInfoHeaderSize ||
      headerSize > dib.size()) {
    return std::nullopt;
  }
  const std::int32_t width = ReadI32(dib, 4);
  const std::int32_t rawHeight = ReadI32(dib, 8);
  const std::uint16_t planes = ReadU16(dib, 12);
  const std::uint16_t bitCount = ReadU16(dib, 14);
  const std::uint32_t compression = ReadU32(dib, 16);
  const std::uint32_t colorsUsed = ReadU32(dib, 32);

  if (planes != 1 || (bitCount != 24 && bitCount != 32) || compression != kUncompressed)
    return std::nullopt;
  if (width <= 0 || width > kMaxBitmapSide) return std::nullopt;
  if (rawHeight == 0 || rawHeight < -kMaxBitmapSide || rawHeight > kMaxBitmapSide)
    return std::nullopt;
  const bool topDown = rawHeight < 0;
  const std::int32_t height = topDown ? -rawHeight : rawHeight;

  if (pixelOffset == 0)
    pixelOffset = static_cast<std::uint64_t>(headerSize) + std::uint64_t{colorsUsed} * 4;
  if (pixelOffset < headerSize) return std::nullopt;

  const std::uint64_t bytesPerPixel = bitCount / 8;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
  // The last row's padding is not required: some writers leave it off.
  const std::uint64_t needed =
      stride * (static_cast<std::uint64_t>(height) - 1) + bytesPerPixel * width;
  if (pixelOffset > dib.size() || needed > dib.size() - pixelOffset) return std::nullopt;

  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.pixels.resize(static_cast<std::size_t>(width) * height);
  for (std::int32_t row = 0; row < height; ++row) {
    const std::int32_t sourceRow = topDown ? row : height - 1 - row;
    const std::size_t rowStart = static_cast<std::size_t>(pixelOffset + stride * sourceRow);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::size_t at = rowStart + static_cast<std::size_t>(bytesPerPixel * x);
      const auto blue = static_cast<unsigned char>(dib[at]);
      const auto green = static_cast<unsigned char>(dib[at + 1]);
      const auto red = static_cast<unsigned char>(dib[at + 2]);
      bitmap.pixels[static_cast<std::size_t>(row) * width + x] =
          static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
    }
  }
  return bitmap;
}

}  // namespace

std::optional<Bitmap> DecodeBitmap(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    if (bytes.size() < kFileHeaderSize) return std::nullopt;
    const std::uint64_t pixelOffset = ReadU32(bytes, 10);
    if (pixelOffset < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
    return DecodeDib(bytes.substr(kFileHeaderSize), pixelOffset - kFileHeaderSize);
  }
  return DecodeDib(bytes, 0);
}

std::optional<Bitmap> LoadBitmapFile(std::string_view windowsPath) {
  const auto bytes = ReadWholeFile(windowsPath);
  if (!bytes) return std::nullopt;
  return DecodeBitmap(*bytes);
}

}  // namespace platform
