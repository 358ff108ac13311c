// The toolbar's two image lists: every control image goes into the normal
// list as it is and into the disabled list as a grey copy, so a disabled
// button shows its own image greyed.
#pragma once

#include <cstdint>

#include "framework/toolband/GdiOwners.h"
#include "platform/resources/Bitmap.h"

namespace framework {

// Each pixel that is not the mask colour becomes the grey level
// g' = g + (255 - g) * 0.25 of its luminance g = 0.299 R + 0.587 G + 0.114 B
// (both truncated to a byte); mask pixels stay as they are.
platform::Bitmap GreyCopy(const platform::Bitmap& bitmap, std::uint32_t maskColorRef);

class ToolBandImages {
 public:
  // Adds the bitmap to both lists (creating them sized like the first
  // bitmap and handing them to `toolbar`); the index in the normal list,
  // or -1 when the list refused it.
  int Add(HWND toolbar, const platform::Bitmap& bitmap, std::uint32_t maskColorRef);
  // Forgets both lists (the toolbar keeps none).
  void Reset(HWND toolbar);

 private:
  UniqueImageList normal_;
  UniqueImageList disabled_;
};

}  // namespace framework
