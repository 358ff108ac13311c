#include "framework/toolband/ToolBandImages.h"

#include <gtest/gtest.h>

namespace framework {
namespace {

TEST(ToolBandImages, GreyCopyFollowsTheLuminanceFormulaAndKeepsMaskPixels) {
  const std::uint32_t maskColorRef = 0xE2F0F0;  // BGR: red F0, green F0, blue E2
  const std::uint32_t maskPixel = platform::PixelFromColorRef(maskColorRef);
  platform::Bitmap bitmap{6, 1, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, maskPixel}};
  const platform::Bitmap grey = GreyCopy(bitmap, maskColorRef);
  // red: g = 76 (76.245), g' = 76 + 179 * 0.25 = 120; green: 149 -> 175;
  // blue: 29 -> 85; black: 0 -> 63; white stays 255.
  const std::uint32_t expected[] = {0x787878, 0xAFAFAF, 0x555555, 0x3F3F3F, 0xFFFFFF, maskPixel};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(grey.At(x, 0), expected[x]) << x;
}

TEST(ToolBandImages, MaskCompareIsOnTheWholeColourNotItsMirror) {
  // 0xE2F0F0 as a pixel (red E2) is the mask's channels mirrored: not the mask.
  platform::Bitmap bitmap{1, 1, {0xE2F0F0}};
  EXPECT_EQ(GreyCopy(bitmap, 0xE2F0F0).At(0, 0), 0xF0F0F0u);
}

}  // namespace
}  // namespace framework
