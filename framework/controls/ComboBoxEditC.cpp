#include "framework/controls/ComboBoxEditC.h"

#include "framework/controls/ComboBoxControlC.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Subclass.h"

namespace framework {

namespace {
constexpr UINT_PTR kEditSubclassId = 1;
}

ComboBoxEditC::~ComboBoxEditC() { Release(); }

void ComboBoxEditC::TakeOver(HWND edit) {
  Release();
  if (edit == nullptr) return;
  edit_ = edit;
  SetWindowSubclass(edit_, &ComboBoxEditC::FieldProc, kEditSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void ComboBoxEditC::Release() {
  if (edit_ != nullptr && IsWindow(edit_)) {
    RemoveWindowSubclass(edit_, &ComboBoxEditC::FieldProc, kEditSubclassId);
  }
  edit_ = nullptr;
}

LRESULT ComboBoxEditC::FieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self) {
  auto* edit = reinterpret_cast<ComboBoxEditC*>(self);
  if (message == WM_KEYDOWN) {
    if (wParam == static_cast<WPARAM>(VK_RETURN)) {
      edit->owner_.OnEditFieldEnter();
    } else if (wParam == static_cast<WPARAM>(VK_DOWN) && edit->owner_.OnDownArrow()) {
      return 0;
    }
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace framework
