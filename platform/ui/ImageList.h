// Image lists of the common controls: equally sized images, each with a mask,
// that the toolbar draws its buttons from. The one difference from Windows:
// bitmaps are platform::Bitmap pixel buffers (decoded by the resources
// facility), not GDI bitmap handles, so the add call takes one by reference.
#pragma once

#include <optional>
#include <vector>

#include "platform/resources/Bitmap.h"
#include "platform/ui/WindowMessages.h"

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
// Cuts the bitmap into images of the list's width (a bitmap narrower than
// one image adds nothing) and adds them; with ILC_MASK, pixels of the mask
// colour (a COLORREF; CLR_DEFAULT takes the top-left pixel) are transparent.
// Returns the index of the first image added, or -1.
int ImageList_AddMasked(HIMAGELIST list, const platform::Bitmap& bitmap, COLORREF mask);
// Index -1 removes every image.
BOOL ImageList_Remove(HIMAGELIST list, int index);
// Records the image on a device context (see Gdi.h).
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);

namespace platform::ui {

struct ImageListImage {
  platform::Bitmap bitmap;
  std::vector<bool> transparent;  // one per pixel, row by row
};

std::optional<ImageListImage> GetImageListImage(HIMAGELIST list, int index);

}  // namespace platform::ui
