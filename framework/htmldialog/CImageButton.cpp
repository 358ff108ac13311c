#include "framework/htmldialog/CImageButton.h"

#include "platform/resources/Bitmap.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Window.h"

namespace framework {

CImageButton::~CImageButton() {
  if (images_) ImageList_Destroy(images_);
}

bool CImageButton::SetBitmap(int resourceId, COLORREF maskColour) {
  const auto bitmap = platform::LoadBitmapResource(resourceId);
  if (!bitmap) return false;
  HBITMAP handle = platform::ui::CreateBitmapHandle(*bitmap);
  if (!handle) return false;
  HIMAGELIST images = ImageList_Create(bitmap->width, bitmap->height, ILC_COLOR32 | ILC_MASK, 1, 0);
  const bool added = images && ImageList_AddMasked(images, handle, maskColour) == 0;
  DeleteObject(handle);
  if (!added) {
    if (images) ImageList_Destroy(images);
    return false;
  }
  if (images_) ImageList_Destroy(images_);
  images_ = images;
  if (button_) InvalidateRect(button_, nullptr, TRUE);
  return true;
}

void CImageButton::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (!images_) return;
  ImageList_Draw(images_, 0, item.hDC, item.rcItem.left, item.rcItem.top, ILD_TRANSPARENT);
}

}  // namespace framework
