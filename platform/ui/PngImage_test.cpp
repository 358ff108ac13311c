#include "platform/ui/PngImage.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace platform::ui {
namespace {

std::uint32_t ReadBigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Walks the chunks and the stored deflate blocks back to the filtered rows.
std::string InflateStored(const std::string& png) {
  std::size_t at = 8;
  std::string zlib;
  while (at < png.size()) {
    const auto length = ReadBigEndian(png, at);
    const auto type = png.substr(at + 4, 4);
    if (type == "IDAT") zlib += png.substr(at + 8, length);
    at += 12 + length;
  }
  std::string raw;
  std::size_t pos = 2;
  for (;;) {
    const bool last = zlib[pos] & 1;
    const std::size_t length = static_cast<unsigned char>(zlib[pos + 1]) |
                               (static_cast<unsigned char>(zlib[pos + 2]) << 8);
    const std::size_t inverse = static_cast<unsigned char>(zlib[pos + 3]) |
                                (static_cast<unsigned char>(zlib[pos + 4]) << 8);
    EXPECT_EQ(length ^ 0xFFFF, inverse);
    raw += zlib.substr(pos + 5, length);
    pos += 5 + length;
    if (last) break;
  }
  return raw;
}

TEST(PngImage, OnePixelHasTheExactHeaderAndTrailer) {
  const auto png = EncodePng(platform::Bitmap{1, 1, {0x00E2F0F0}}, nullptr);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(ReadBigEndian(png, 16), 1u);
  EXPECT_EQ(ReadBigEndian(png, 20), 1u);
  EXPECT_EQ(png.substr(24, 5), std::string("\x08\x06\x00\x00\x00", 5));
  EXPECT_EQ(ReadBigEndian(png, 29), 0x1F15C489u);  // CRC of this IHDR
  EXPECT_EQ(png.substr(png.size() - 12), std::string("\x00\x00\x00\x00IEND\xAE\x42\x60\x82", 12));
  EXPECT_EQ(InflateStored(png), std::string("\x00\xE2\xF0\xF0\xFF", 5));
}

TEST(PngImage, LargeImagesSplitIntoStoredBlocksAndKeepTransparency) {
  platform::Bitmap bitmap{200, 100, std::vector<std::uint32_t>(20000, 0x00102030)};
  std::vector<bool> transparent(20000, false);
  transparent[1] = true;
  const auto raw = InflateStored(EncodePng(bitmap, &transparent));
  ASSERT_EQ(raw.size(), 100u * (1 + 200 * 4));  // more than one 65535-byte block
  EXPECT_EQ(raw.substr(0, 9), std::string("\x00\x10\x20\x30\xFF\x10\x20\x30\x00", 9));
}

TEST(Base64, EncodesEveryPaddingCase) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},        {"f", "Zg=="},        {"fo", "Zm8="},
      {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xFF\xFE", "//4="}};
  for (const auto& [input, expected] : cases) EXPECT_EQ(Base64Encode(input), expected) << input;
}

}  // namespace
}  // namespace platform::ui
