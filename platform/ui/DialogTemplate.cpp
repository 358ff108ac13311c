#include "platform/ui/DialogTemplate.h"

#include <cstddef>
#include <cstring>

namespace platform::ui {
namespace {

constexpr std::size_t kItemCountOffset = offsetof(DLGTEMPLATE, cdit);

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, DialogUnits frame, WORD pointSize,
                               std::u16string_view faceName) {
  DLGTEMPLATE head{};
  head.style = style;
  head.x = frame.x;
  head.y = frame.y;
  head.cx = frame.cx;
  head.cy = frame.cy;
  Put(&head, sizeof head);
  PutWord(0);  // no menu
  PutWord(0);  // the dialog class
  PutWord(0);  // no title
  if (style & DS_SETFONT) {
    PutWord(pointSize);
    PutText(faceName);
  }
}

void DialogTemplate::AddItem(DWORD style, DialogUnits place, WORD id, WORD classAtom,
                             std::u16string_view text) {
  AlignToDword();
  DLGITEMTEMPLATE item{};
  item.style = style | WS_CHILD | WS_VISIBLE;
  item.x = place.x;
  item.y = place.y;
  item.cx = place.cx;
  item.cy = place.cy;
  item.id = id;
  Put(&item, sizeof item);
  PutWord(0xFFFF);
  PutWord(classAtom);
  PutText(text);
  PutWord(0);  // no creation data
  auto* bytes = reinterpret_cast<unsigned char*>(storage_.data());
  WORD count = 0;
  std::memcpy(&count, bytes + kItemCountOffset, sizeof count);
  ++count;
  std::memcpy(bytes + kItemCountOffset, &count, sizeof count);
}

const DLGTEMPLATE* DialogTemplate::Get() const {
  return reinterpret_cast<const DLGTEMPLATE*>(storage_.data());
}

void DialogTemplate::Put(const void* bytes, std::size_t size) {
  storage_.resize((size_ + size + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t));
  std::memcpy(reinterpret_cast<unsigned char*>(storage_.data()) + size_, bytes, size);
  size_ += size;
}

void DialogTemplate::PutText(std::u16string_view text) {
  for (char16_t c : text) PutWord(static_cast<WORD>(c));
  PutWord(0);
}

void DialogTemplate::AlignToDword() {
  while (size_ % sizeof(std::uint32_t) != 0) {
    const unsigned char zero = 0;
    Put(&zero, 1);
  }
}

}  // namespace platform::ui
