#include "framework/toolband/ToolBandImages.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace framework {

namespace {

constexpr int kListGrowth = 50;

HIMAGELIST CreateList(const platform::Bitmap& bitmap) {
  HIMAGELIST list =
      ImageList_Create(bitmap.width, bitmap.height, ILC_COLOR32 | ILC_MASK, 0, kListGrowth);
  if (list != nullptr) ImageList_SetBkColor(list, CLR_NONE);
  return list;
}

std::uint32_t GreyPixel(std::uint32_t pixel) {
  const double red = (pixel >> 16) & 0xFF;
  const double green = (pixel >> 8) & 0xFF;
  const double blue = pixel & 0xFF;
  const auto luminance = static_cast<std::uint8_t>(0.299 * red + 0.587 * green + 0.114 * blue);
  const auto grey = static_cast<std::uint8_t>(luminance + (255 - luminance) * 0.25);
  return (std::uint32_t{grey} << 16) | (std::uint32_t{grey} << 8) | grey;
}

}  // namespace

platform::Bitmap GreyCopy(const platform::Bitmap& bitmap, std::uint32_t maskColorRef) {
  const std::uint32_t mask = platform::PixelFromColorRef(maskColorRef);
  platform::Bitmap grey = bitmap;
  for (std::uint32_t& pixel : grey.pixels) {
    if (pixel != mask) pixel = GreyPixel(pixel);
  }
  return grey;
}

int ToolBandImages::Add(HWND toolbar, const platform::Bitmap& bitmap, std::uint32_t maskColorRef) {
  if (!normal_) {
    normal_.Reset(CreateList(bitmap));
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal_.Get()));
  }
  if (!disabled_) {
    disabled_.Reset(CreateList(bitmap));
    SendMessageW(toolbar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled_.Get()));
  }
  const int index = AddMaskedBitmap(normal_.Get(), bitmap, maskColorRef);
  AddMaskedBitmap(disabled_.Get(), GreyCopy(bitmap, maskColorRef), maskColorRef);
  return index;
}

void ToolBandImages::Reset(HWND toolbar) {
  if (toolbar != nullptr && IsWindow(toolbar)) {
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, 0);
    SendMessageW(toolbar, TB_SETDISABLEDIMAGELIST, 0, 0);
  }
  normal_.Reset();
  disabled_.Reset();
}

}  // namespace framework
