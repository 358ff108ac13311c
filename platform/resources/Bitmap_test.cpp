#include "platform/resources/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/files/FileSystem.h"

namespace platform {
namespace {

void PutU32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(value >> (8 * i));
}

void PutU16(std::string& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<char>(value);
  out[at + 1] = static_cast<char>(value >> 8);
}

// A .bmp file whose pixel (x, y) counted from the top is `pixel(x, y)`
// (0x00RRGGBB), written bottom-up unless `topDown`.
template <typename Pixel>
std::string MakeBmp(int width, int height, int bitCount, bool topDown, Pixel pixel) {
  const int bytesPerPixel = bitCount / 8;
  const int stride = (width * bitCount + 31) / 32 * 4;
  std::string file(54 + static_cast<std::size_t>(stride) * height, '\0');
  file[0] = 'B';
  file[1] = 'M';
  PutU32(file, 2, static_cast<std::uint32_t>(file.size()));
  PutU32(file, 10, 54);
  PutU32(file, 14, 40);
  PutU32(file, 18, static_cast<std::uint32_t>(width));
  PutU32(file, 22, static_cast<std::uint32_t>(topDown ? -height : height));
  PutU16(file, 26, 1);
  PutU16(file, 28, static_cast<std::uint16_t>(bitCount));
  for (int y = 0; y < height; ++y) {
    const int storedRow = topDown ? y : height - 1 - y;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t value = pixel(x, y);
      const std::size_t at = 54 + static_cast<std::size_t>(storedRow) * stride + x * bytesPerPixel;
      file[at] = static_cast<char>(value);
      file[at + 1] = static_cast<char>(value >> 8);
      file[at + 2] = static_cast<char>(value >> 16);
      if (bytesPerPixel == 4) file[at + 3] = static_cast<char>(0x7F);
    }
  }
  return file;
}

std::uint32_t Pattern(int x, int y) { return static_cast<std::uint32_t>(x * 0x10 + y) | 0xAB0000u; }

TEST(DecodeBitmap, AllLayoutsGiveTheSameTopDownPixels) {
  struct Case {
    int bitCount;
    bool topDown;
  };
  for (const Case c : {Case{24, false}, Case{24, true}, Case{32, false}, Case{32, true}}) {
    // Width 3 makes 24-bit rows need padding.
    const auto bitmap = DecodeBitmap(MakeBmp(3, 2, c.bitCount, c.topDown, Pattern));
    ASSERT_TRUE(bitmap.has_value()) << c.bitCount << " " << c.topDown;
    EXPECT_EQ(bitmap->width, 3);
    EXPECT_EQ(bitmap->height, 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap->At(x, y), Pattern(x, y)) << x << "," << y;
    }
  }
}

TEST(DecodeBitmap, AcceptsABareDibAsResourcesStoreIt) {
  const std::string file = MakeBmp(2, 2, 24, false, Pattern);
  const auto bitmap = DecodeBitmap(std::string_view(file).substr(14));
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->At(1, 0), Pattern(1, 0));
}

TEST(DecodeBitmap, RefusesMalformedHeaders) {
  const std::string good = MakeBmp(4, 4, 24, false, Pattern);
  struct Corruption {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    bool wide;
  };
  const Corruption corruptions[] = {
      {"pixel offset past the end", 10, 0xFFFFFFF0u, true},
      {"pixel offset inside the header", 10, 20, true},
      {"header size too small", 14, 12, true},
      {"header size past the end", 14, 0x7FFFFFFF, true},
      {"zero width", 18, 0, true},
      {"negative width", 18, 0xFFFFFFFFu, true},
      {"huge width", 18, 0x7FFFFFFF, true},
      {"zero height", 22, 0, true},
      {"most negative height", 22, 0x80000000u, true},
      {"height beyond the data", 22, 5, true},
      {"two planes", 26, 2, false},
      {"8-bit", 28, 8, false},
      {"16-bit", 28, 16, false},
      {"RLE compression", 30, 1, true},
      {"bit fields", 30, 3, true},
      {"colour table beyond the data", 46, 0x40000000, true},
  };
  for (const auto& c : corruptions) {
    std::string bad = good;
    if (c.wide) {
      PutU32(bad, c.at, c.value);
    } else {
      PutU16(bad, c.at, static_cast<std::uint16_t>(c.value));
    }
    // The colour-table case only matters for a bare DIB, whose pixel offset
    // follows the table.
    const std::string_view input =
        c.at == 46 ? std::string_view(bad).substr(14) : std::string_view(bad);
    EXPECT_FALSE(DecodeBitmap(input).has_value()) << c.what;
  }
}

TEST(DecodeBitmap, RefusesEveryTruncation) {
  const std::string good = MakeBmp(4, 4, 32, false, Pattern);
  ASSERT_TRUE(DecodeBitmap(good).has_value());
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(DecodeBitmap(std::string_view(good).substr(0, size)).has_value()) << size;
  }
}

TEST(DecodeBitmap, ToleratesAMissingPadOnTheLastRow) {
  const std::string file = MakeBmp(3, 2, 24, false, Pattern);
  EXPECT_TRUE(DecodeBitmap(std::string_view(file).substr(0, file.size() - 3)).has_value());
}

TEST(PixelFromColorRef, SwapsRedAndBlue) {
  EXPECT_EQ(PixelFromColorRef(0xE2F0F0), 0xF0F0E2u);
  EXPECT_EQ(PixelFromColorRef(0x0000FF), 0xFF0000u);
}

TEST(LoadBitmapFile, ReadsAMappedFile) {
  ScopedFileSystemRoot root;
  ASSERT_TRUE(WriteWholeFile("C:\\icon.bmp", MakeBmp(2, 1, 24, false, Pattern)));
  const auto bitmap = LoadBitmapFile("c:/ICON.bmp");
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->At(1, 0), Pattern(1, 0));
  EXPECT_FALSE(LoadBitmapFile("C:\\missing.bmp").has_value());
}

TEST(ShippedBitmaps, AreSixteenSquareOnTheMaskColour) {
  const std::uint32_t mask = PixelFromColorRef(0xE2F0F0);
  for (int id : {215, 216, 219, 220, 221, 222}) {
    const auto bitmap = LoadBitmapResource(id);
    ASSERT_TRUE(bitmap.has_value()) << id;
    EXPECT_EQ(bitmap->width, 16) << id;
    EXPECT_EQ(bitmap->height, 16) << id;
    EXPECT_EQ(bitmap->At(0, 0), mask) << id;
    EXPECT_EQ(bitmap->At(0, 15), mask) << id;
    int drawn = 0;
    for (std::uint32_t pixel : bitmap->pixels) drawn += pixel != mask;
    EXPECT_GT(drawn, 30) << id;
  }
  EXPECT_FALSE(LoadBitmapResource(217).has_value());
}

}  // namespace
}  // namespace platform
