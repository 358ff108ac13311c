// Tests fill image lists from pixel buffers as the product does: through a
// bitmap handle that lives for the one ImageList_AddMasked call.
#pragma once

#include "platform/ui/Gdi.h"
#include "platform/ui/ImageList.h"

namespace platform::ui::testing {

inline int AddBitmap(HIMAGELIST list, const platform::Bitmap& bitmap, COLORREF mask) {
  HBITMAP handle = CreateBitmapHandle(bitmap);
  const int index = ImageList_AddMasked(list, handle, mask);
  if (handle) DeleteObject(handle);
  return index;
}

}  // namespace platform::ui::testing
