// One owner per kind of drawing handle the toolband keeps: its copy of the
// toolbar's font and its image lists.
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

using UniqueFont = UniqueGdiHandle<HFONT, &DeleteFont>;
using UniqueImageList = UniqueGdiHandle<HIMAGELIST, &ImageList_Destroy>;

}  // namespace framework
