#include "framework/controls/ComboBoxBaseC.h"

#include "framework/controls/ComboBoxControlC.h"
#include "platform/text/WideChars.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Subclass.h"

namespace framework {

namespace {
constexpr UINT_PTR kBoxSubclassId = 1;
}

ComboBoxBaseC::~ComboBoxBaseC() {
  if (window_) RemoveWindowSubclass(window_.Get(), &ComboBoxBaseC::BoxProc, kBoxSubclassId);
}

bool ComboBoxBaseC::Create(HWND parent, int id, bool fixedList, HFONT font) {
  fixedList_ = fixedList;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_OWNERDRAWFIXED |
                      CBS_HASSTRINGS | (fixedList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
  window_.Reset(CreateWindowExW(0, WC_COMBOBOXW, platform::AsWchar(u""), style, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                                nullptr));
  if (!window_) return false;
  SetWindowSubclass(window_.Get(), &ComboBoxBaseC::BoxProc, kBoxSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  SendMessageW(window_.Get(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kSelectionFieldHeight);
  return true;
}

HWND ComboBoxBaseC::EditField() const {
  if (!window_ || fixedList_) return nullptr;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  return GetComboBoxInfo(window_.Get(), &info) ? info.hwndItem : nullptr;
}

void ComboBoxBaseC::KeepEditFieldInPlace() {
  HWND edit = EditField();
  if (edit == nullptr) return;
  RECT rect{};
  GetWindowRect(edit, &rect);
  POINT topLeft{rect.left, rect.top};
  ScreenToClient(window_.Get(), &topLeft);
  const LONG width = rect.right - rect.left;
  const LONG height = rect.bottom - rect.top;
  if (!editRectTaken_) {
    editRectTaken_ = true;
    editRect_ = RECT{topLeft.x, topLeft.y + EditOffset(), topLeft.x + width,
                     topLeft.y + EditOffset() + height};
  }
  SetWindowPos(edit, nullptr, topLeft.x, editRect_.top, width, editRect_.bottom - editRect_.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ComboBoxBaseC::BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR self) {
  auto* base = reinterpret_cast<ComboBoxBaseC*>(self);
  if (message == WM_KEYDOWN && base->fixedList_) {
    if (wParam == static_cast<WPARAM>(VK_RETURN) && base->owner_.OnFixedListEnter()) return 0;
    if (wParam == static_cast<WPARAM>(VK_DOWN) && base->owner_.OnDownArrow()) return 0;
  }
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  if (message == WM_SIZE) base->KeepEditFieldInPlace();
  return result;
}

}  // namespace framework
