#include "platform/ui/detail/DialogTemplateReader.h"

#include <cstdint>
#include <cstring>

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"

namespace platform::ui::detail {
namespace {

class Cursor {
 public:
  explicit Cursor(const void* start) : start_(static_cast<const unsigned char*>(start)) {}

  template <class T>
  T Read() {
    T value;
    std::memcpy(&value, start_ + offset_, sizeof value);
    offset_ += sizeof value;
    return value;
  }
  std::u16string Text() {
    std::u16string text;
    for (WORD c = Read<WORD>(); c != 0; c = Read<WORD>()) text.push_back(static_cast<char16_t>(c));
    return text;
  }
  // A class or title field: 0 (none), 0xFFFF and an ordinal, or a text.
  std::u16string NameOrOrdinal(WORD* ordinal) {
    std::size_t at = offset_;
    const WORD first = Read<WORD>();
    if (first == 0) return {};
    if (first == 0xFFFF) {
      *ordinal = Read<WORD>();
      return {};
    }
    offset_ = at;
    return Text();
  }
  void AlignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }
  void Skip(std::size_t bytes) { offset_ += bytes; }

 private:
  const unsigned char* start_;
  std::size_t offset_ = 0;
};

std::u16string PredefinedClass(WORD atom) {
  switch (atom) {
    case 0x0080:
      return WC_BUTTONW;
    case 0x0081:
      return WC_EDITW;
    case 0x0082:
      return WC_STATICW;
    case 0x0085:
      return WC_COMBOBOXW;
    default:
      return {};
  }
}

RECT Units(short x, short y, short cx, short cy) { return RECT{x, y, x + cx, y + cy}; }

}  // namespace

DialogLayout ReadDialogTemplate(const DLGTEMPLATE* dialogTemplate) {
  Cursor cursor(dialogTemplate);
  const auto head = cursor.Read<DLGTEMPLATE>();
  DialogLayout layout;
  layout.style = head.style;
  layout.exStyle = head.dwExtendedStyle;
  layout.units = Units(head.x, head.y, head.cx, head.cy);
  WORD ignored = 0;
  cursor.NameOrOrdinal(&ignored);  // menu: dialogs here have none
  layout.className = cursor.NameOrOrdinal(&ignored);
  layout.title = cursor.NameOrOrdinal(&ignored);
  if (head.style & DS_SETFONT) {
    layout.pointSize = cursor.Read<WORD>();
    layout.faceName = cursor.Text();
  }
  for (WORD i = 0; i < head.cdit; ++i) {
    cursor.AlignToDword();
    const auto item = cursor.Read<DLGITEMTEMPLATE>();
    DialogItemLayout control;
    control.style = item.style;
    control.exStyle = item.dwExtendedStyle;
    control.units = Units(item.x, item.y, item.cx, item.cy);
    control.id = item.id;
    WORD atom = 0;
    control.className = cursor.NameOrOrdinal(&atom);
    if (control.className.empty()) control.className = PredefinedClass(atom);
    WORD titleOrdinal = 0;
    control.text = cursor.NameOrOrdinal(&titleOrdinal);
    cursor.Skip(cursor.Read<WORD>());
    layout.items.push_back(std::move(control));
  }
  return layout;
}

}  // namespace platform::ui::detail
