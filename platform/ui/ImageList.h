// Image lists of the common controls: equally sized images, each with a mask,
// that the toolbar draws its buttons from. The one difference from Windows:
// bitmaps are platform::Bitmap pixel buffers (decoded by the resources
// facility), not GDI bitmap handles, so the add call takes one by reference.
#pragma once

#include <optional>
#include <vector>

#include "platform/resources/Bitmap.h"
#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>

// After <windows.h>, whose types it uses.
#include <commctrl.h>
#else
#include "platform/ui/ImageList_linux.h"
#endif

namespace platform::ui {

struct ImageListImage {
  platform::Bitmap bitmap;
  std::vector<bool> transparent;  // one per pixel, row by row
};

std::optional<ImageListImage> GetImageListImage(HIMAGELIST list, int index);

}  // namespace platform::ui
