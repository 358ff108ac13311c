// Reads an in-memory dialog template (the format DialogTemplate.h writes,
// which is the resource compiler's DIALOG and DIALOGEX-less layout) into
// plain values for the dialog box to create. The template comes from the
// calling program, as on Windows, and is trusted to be well formed.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Dialog.h"

namespace platform::ui::detail {

struct DialogItemLayout {
  DWORD style;
  DWORD exStyle;
  RECT units;  // left, top, right, bottom in dialog units
  WORD id;
  std::u16string className;
  std::u16string text;
};

struct DialogLayout {
  DWORD style;
  DWORD exStyle;
  RECT units;
  std::u16string className;  // empty: the dialog class
  std::u16string title;
  WORD pointSize = 0;  // 0 without DS_SETFONT
  std::u16string faceName;
  std::vector<DialogItemLayout> items;
};

DialogLayout ReadDialogTemplate(const DLGTEMPLATE* dialogTemplate);

}  // namespace platform::ui::detail
