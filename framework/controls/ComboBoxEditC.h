// The edit field of an editable search box, taken over so that Enter
// commits the typed (or highlighted) text and the down arrow opens the
// list.
#pragma once

#include "platform/ui/WindowMessages.h"

namespace framework {

class ComboBoxControlC;

class ComboBoxEditC {
 public:
  explicit ComboBoxEditC(ComboBoxControlC& owner) : owner_(owner) {}
  ~ComboBoxEditC();
  ComboBoxEditC(const ComboBoxEditC&) = delete;
  ComboBoxEditC& operator=(const ComboBoxEditC&) = delete;

  void TakeOver(HWND edit);
  // Before the combo box window (its parent) goes.
  void Release();

 private:
  static LRESULT CALLBACK FieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

  ComboBoxControlC& owner_;
  HWND edit_ = nullptr;
};

}  // namespace framework
