// One owner per kind of drawing handle the toolband keeps: its copy of the
// toolbar's font, its image lists and the bitmaps it fills them from.
#pragma once

#include <utility>

#include "platform/ui/Gdi.h"
#include "platform/ui/ImageList.h"

namespace framework {

template <class Handle, auto Free>
class UniqueGdiHandle {
 public:
  UniqueGdiHandle() = default;
  explicit UniqueGdiHandle(Handle handle) : handle_(handle) {}
  ~UniqueGdiHandle() { Reset(); }
  UniqueGdiHandle(const UniqueGdiHandle&) = delete;
  UniqueGdiHandle& operator=(const UniqueGdiHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (Handle old = std::exchange(handle_, handle)) Free(old);
  }

 private:
  Handle handle_ = nullptr;
};

inline BOOL DeleteFont(HFONT font) { return DeleteObject(font); }

inline BOOL FreeBitmapHandle(HBITMAP bitmap) { return DeleteObject(bitmap); }

using UniqueFont = UniqueGdiHandle<HFONT, &DeleteFont>;
using UniqueBitmap = UniqueGdiHandle<HBITMAP, &FreeBitmapHandle>;
using UniqueImageList = UniqueGdiHandle<HIMAGELIST, &ImageList_Destroy>;

// ImageList_AddMasked for a decoded bitmap. The list keeps a copy of the
// pixels, so the bitmap handle lives only for the call.
inline int AddMaskedBitmap(HIMAGELIST list, const platform::Bitmap& bitmap, COLORREF mask) {
  const UniqueBitmap handle(platform::ui::CreateBitmapHandle(bitmap));
  return handle ? ImageList_AddMasked(list, handle.Get(), mask) : -1;
}

}  // namespace framework
