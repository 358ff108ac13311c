// Writes an in-memory dialog template in the resource format that
// DialogBoxIndirectParamW reads, so a dialog is described once, in dialog
// units, and created by the system as a .rc file's DIALOGEX would be:
//
//   platform::ui::DialogTemplate layout(WS_POPUP | DS_SETFONT, {0, 0, 263, 64}, 8, u"MS Shell
//   Dlg"); layout.AddItem(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {8, 11, 119, 14}, 201,
//                  platform::ui::kEditClassAtom);
//   DialogBoxIndirectParamW(nullptr, layout.Get(), owner, &Procedure, 0);
//
// The layout is DLGTEMPLATE, menu (none), class (the dialog class), title,
// point size and face name (when DS_SETFONT is given), then each item on a
// DWORD boundary: DLGITEMTEMPLATE, class (0xFFFF and an atom), title, and
// no creation data. Items are always visible children.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Dialog.h"

namespace platform::ui {

// The predefined control classes as a template names them.
inline constexpr WORD kButtonClassAtom = 0x0080;
inline constexpr WORD kEditClassAtom = 0x0081;
inline constexpr WORD kStaticClassAtom = 0x0082;
inline constexpr WORD kComboBoxClassAtom = 0x0085;

// Position and size in dialog units.
struct DialogUnits {
  short x;
  short y;
  short cx;
  short cy;
};

class DialogTemplate {
 public:
  DialogTemplate(DWORD style, DialogUnits frame, WORD pointSize, std::u16string_view faceName);

  void AddItem(DWORD style, DialogUnits place, WORD id, WORD classAtom,
               std::u16string_view text = {});
  // Valid until the next AddItem or the template's end.
  const DLGTEMPLATE* Get() const;

 private:
  void Put(const void* bytes, std::size_t size);
  void PutWord(WORD value) { Put(&value, sizeof value); }
  void PutText(std::u16string_view text);
  void AlignToDword();

  // DWORD storage keeps the start DWORD-aligned, as the format needs.
  std::vector<std::uint32_t> storage_;
  std::size_t size_ = 0;
};

}  // namespace platform::ui
