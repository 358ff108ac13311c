#include "platform/ui/ImageList.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "platform/ui/Gdi.h"

namespace {

struct ImageListRecord {
  int width = 0;
  int height = 0;
  UINT flags = 0;
  COLORREF background = CLR_NONE;
  std::vector<platform::ui::ImageListImage> images;
};

struct ImageListTable {
  std::mutex mutex;
  std::map<std::uintptr_t, ImageListRecord> lists;
  std::uintptr_t next = 0x40000;
};

ImageListTable& Table() {
  static ImageListTable* table = new ImageListTable;
  return *table;
}

ImageListRecord* FindLocked(HIMAGELIST list) {
  auto it = Table().lists.find(reinterpret_cast<std::uintptr_t>(list));
  return it == Table().lists.end() ? nullptr : &it->second;
}

}  // namespace

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int, int) {
  if (width <= 0 || height <= 0) return nullptr;
  std::lock_guard lock(Table().mutex);
  const auto key = Table().next;
  Table().next += 4;
  Table().lists.emplace(key, ImageListRecord{width, height, flags, CLR_NONE, {}});
  return reinterpret_cast<HIMAGELIST>(key);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  std::lock_guard lock(Table().mutex);
  return Table().lists.erase(reinterpret_cast<std::uintptr_t>(list)) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(list);
  return record ? static_cast<int>(record->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(list);
  if (!record || !width || !height) return FALSE;
  *width = record->width;
  *height = record->height;
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(list);
  return record ? std::exchange(record->background, colour) : CLR_NONE;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmapHandle, COLORREF mask) {
  const std::optional<platform::Bitmap> copy = platform::ui::detail::BitmapPixels(bitmapHandle);
  if (!copy) return -1;
  const platform::Bitmap& bitmap = *copy;
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(list);
  if (!record) return -1;
  const int count = bitmap.width / record->width;
  if (count == 0) return -1;
  const bool masked = (record->flags & ILC_MASK) && mask != CLR_NONE;
  const std::uint32_t maskPixel =
      mask == CLR_DEFAULT ? bitmap.At(0, 0) : platform::PixelFromColorRef(mask);
  const int first = static_cast<int>(record->images.size());
  for (int image = 0; image < count; ++image) {
    platform::ui::ImageListImage entry;
    entry.bitmap.width = record->width;
    entry.bitmap.height = record->height;
    entry.bitmap.pixels.assign(static_cast<std::size_t>(record->width) * record->height, 0);
    entry.transparent.assign(entry.bitmap.pixels.size(), true);
    for (int y = 0; y < std::min(record->height, bitmap.height); ++y) {
      for (int x = 0; x < record->width; ++x) {
        const std::uint32_t pixel = bitmap.At(image * record->width + x, y);
        const auto at = static_cast<std::size_t>(y) * record->width + x;
        entry.bitmap.pixels[at] = pixel;
        entry.transparent[at] = masked && pixel == maskPixel;
      }
    }
    record->images.push_back(std::move(entry));
  }
  return first;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(list);
  if (!record) return FALSE;
  if (index == -1) {
    record->images.clear();
    return TRUE;
  }
  if (index < 0 || index >= static_cast<int>(record->images.size())) return FALSE;
  record->images.erase(record->images.begin() + index);
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT) {
  int width = 0;
  int height = 0;
  {
    std::lock_guard lock(Table().mutex);
    auto* record = FindLocked(list);
    if (!record || index < 0 || index >= static_cast<int>(record->images.size())) return FALSE;
    width = record->width;
    height = record->height;
  }
  platform::ui::detail::RecordImage(dc, list, index, x, y, width, height);
  return TRUE;
}

namespace platform::ui {

std::optional<ImageListImage> GetImageListImage(HIMAGELIST list, int index) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(list);
  if (!record || index < 0 || index >= static_cast<int>(record->images.size())) return std::nullopt;
  return record->images[static_cast<std::size_t>(index)];
}

}  // namespace platform::ui
