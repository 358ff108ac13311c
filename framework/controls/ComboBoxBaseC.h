// The window part of the search box: a native combo box, editable (a
// drop-down with its own edit field) or a fixed list (a drop-down list),
// with owner-drawn items. It keeps what the box remembers between the
// user's actions: the text or selection from before the list opened, the
// dropped-down flag and where the edit field belongs.
#pragma once

#include <string>

#include "platform/ui/Window.h"

namespace framework {

class ComboBoxControlC;

class ComboBoxBaseC {
 public:
  static constexpr int kSelectionFieldHeight = 16;
  static constexpr int kItemHeight = 13;
  // Room below the field for the opened list.
  static constexpr int kListDepth = 259;

  explicit ComboBoxBaseC(ComboBoxControlC& owner) : owner_(owner) {}
  ~ComboBoxBaseC();
  ComboBoxBaseC(const ComboBoxBaseC&) = delete;
  ComboBoxBaseC& operator=(const ComboBoxBaseC&) = delete;

  bool Create(HWND parent, int id, bool fixedList, HFONT font);
  HWND Window() const { return window_.Get(); }
  // The edit field of an editable box, null for a fixed list.
  HWND EditField() const;

  bool IsFixedList() const { return fixedList_; }
  // The edit field sits this much lower than the box would put it.
  int EditOffset() const { return fixedList_ ? 0 : 1; }

  std::u16string savedText;
  int savedSelection = -1;
  bool droppedDown = false;

 private:
  static LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR self);
  // Puts the edit field back at its remembered height after a resize.
  void KeepEditFieldInPlace();

  ComboBoxControlC& owner_;
  platform::ui::UniqueWindow window_;
  bool fixedList_ = false;
  RECT editRect_{};
  bool editRectTaken_ = false;
};

}  // namespace framework
