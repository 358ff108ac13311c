#include "platform/ui/ComboBox.h"

#include <algorithm>
#include <vector>

#include "platform/ui/Gdi.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/ComboKeys.h"
#include "platform/ui/detail/ComboState.h"
#include "platform/ui/detail/ControlClass.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui;
using namespace platform::ui::detail;

namespace {

std::shared_ptr<ComboState> StateOf(HWND combo) { return ControlStateOf<ComboState>(combo); }

void Notify(HWND combo, WORD code) {
  if (HWND parent = GetParent(combo)) {
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(combo)), code),
                 reinterpret_cast<LPARAM>(combo));
  }
}

void ShowSelectionInEdit(ComboState& state) {
  if (!state.edit) return;
  const std::u16string text = state.Valid(state.selection)
                                  ? state.items[static_cast<std::size_t>(state.selection)].text
                                  : u"";
  SetWindowTextW(state.edit, text.c_str());
  SendMessageW(state.edit, EM_SETSEL, 0, -1);
}

void Select(HWND combo, ComboState& state, int index, bool notify) {
  if (index == state.selection) return;
  state.selection = index;
  ShowSelectionInEdit(state);
  InvalidateRect(combo, nullptr, TRUE);
  if (notify) Notify(combo, CBN_SELCHANGE);
}

void SetDropped(HWND combo, ComboState& state, bool dropped) {
  state.dropped = dropped;
  InvalidateRect(combo, nullptr, TRUE);
}

void OpenList(HWND combo, ComboState& state) {
  if (state.dropped) return;
  Notify(combo, CBN_DROPDOWN);
  SetDropped(combo, state, true);
}

void CloseList(HWND combo, ComboState& state, bool accepted) {
  if (!state.dropped) return;
  Notify(combo, accepted ? CBN_SELENDOK : CBN_SELENDCANCEL);
  SetDropped(combo, state, false);
  Notify(combo, CBN_CLOSEUP);
}

void FocusEntered(HWND combo, ComboState& state) {
  if (state.hasFocus) return;
  state.hasFocus = true;
  InvalidateRect(combo, nullptr, TRUE);
  Notify(combo, CBN_SETFOCUS);
}

void FocusLeft(HWND combo, ComboState& state, HWND newFocus) {
  if (newFocus && (newFocus == combo || newFocus == state.edit)) return;
  CloseList(combo, state, false);
  if (!state.hasFocus) return;
  state.hasFocus = false;
  InvalidateRect(combo, nullptr, TRUE);
  Notify(combo, CBN_KILLFOCUS);
}

LRESULT CopyItemText(const ComboState& state, WPARAM index, LPARAM buffer) {
  if (!state.Valid(static_cast<LONG_PTR>(index))) return CB_ERR;
  const auto& text = state.items[index].text;
  if (auto* out = reinterpret_cast<LPWSTR>(buffer)) {
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = 0;
  }
  return static_cast<LRESULT>(text.size());
}

LRESULT FindExact(const ComboState& state, WPARAM start, LPARAM text) {
  if (!text || state.items.empty()) return CB_ERR;
  const auto wanted = ClassKey(reinterpret_cast<LPCWSTR>(text));
  const auto count = state.items.size();
  const auto first = static_cast<int>(start) < 0 ? 0 : (start + 1) % count;
  for (std::size_t n = 0; n < count; ++n) {
    const auto i = (first + n) % count;
    if (ClassKey(state.items[i].text) == wanted) return static_cast<LRESULT>(i);
  }
  return CB_ERR;
}

void MeasureOwnerDrawnItems(HWND combo, ComboState& state) {
  HWND parent = GetParent(combo);
  for (UINT item : {static_cast<UINT>(-1), 0u}) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_COMBOBOX;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID(combo));
    measure.itemID = item;
    measure.itemHeight = item == static_cast<UINT>(-1) ? static_cast<UINT>(state.fieldHeight)
                                                       : static_cast<UINT>(state.itemHeight);
    if (parent)
      SendMessageW(parent, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    if (measure.itemHeight < 1 || measure.itemHeight > 255) continue;  // keeps the default
    (item == static_cast<UINT>(-1) ? state.fieldHeight : state.itemHeight) =
        static_cast<int>(measure.itemHeight);
  }
}

LRESULT CALLBACK ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) AttachControlState(hwnd, std::make_shared<ComboState>());
  auto state = StateOf(hwnd);
  if (!state || message == WM_NCCREATE) return DefWindowProcW(hwnd, message, wParam, lParam);
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (style & CBS_OWNERDRAWFIXED) MeasureOwnerDrawnItems(hwnd, *state);
      if ((style & 0x3) != CBS_DROPDOWNLIST) {
        state->edit = CreateWindowExW(
            0, WC_EDITW, create->lpszName, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0,
            std::max(create->cx - kComboArrowWidth, 0), state->fieldHeight, hwnd,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kComboEditId)), nullptr, nullptr);
      }
      return 0;
    }
    case WM_SETTEXT:
      if (state->edit) return SendMessageW(state->edit, WM_SETTEXT, wParam, lParam);
      {
        const LRESULT found = FindExact(*state, static_cast<WPARAM>(-1), lParam);
        if (found == CB_ERR) return CB_ERR;
        Select(hwnd, *state, static_cast<int>(found), false);
        return TRUE;
      }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      if (state->edit) return SendMessageW(state->edit, message, wParam, lParam);
      if (!state->Valid(state->selection)) return 0;
      if (message == WM_GETTEXTLENGTH)
        return static_cast<LRESULT>(
            state->items[static_cast<std::size_t>(state->selection)].text.size());
      {
        const auto& text = state->items[static_cast<std::size_t>(state->selection)].text;
        auto* buffer = reinterpret_cast<LPWSTR>(lParam);
        if (!buffer || wParam == 0) return 0;
        const auto count = std::min<std::size_t>(text.size(), wParam - 1);
        std::copy_n(text.data(), count, buffer);
        buffer[count] = 0;
        return static_cast<LRESULT>(count);
      }
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      if (state->edit) SendMessageW(state->edit, WM_SETFONT, wParam, lParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case WM_SETFOCUS:
      if (state->edit) {
        SetFocus(state->edit);
      } else {
        FocusEntered(hwnd, *state);
      }
      return 0;
    case WM_KILLFOCUS:
      if (!state->edit) FocusLeft(hwnd, *state, reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_KEYDOWN:
      ComboKeyDown(hwnd, static_cast<int>(wParam));
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == state->edit && state->edit) {
        switch (HIWORD(wParam)) {
          case EN_SETFOCUS:
            FocusEntered(hwnd, *state);
            break;
          case EN_UPDATE:
            Notify(hwnd, CBN_EDITUPDATE);
            break;
          case EN_CHANGE:
            Notify(hwnd, CBN_EDITCHANGE);
            break;
          default:
            break;
        }
      }
      return 0;
    case WM_PAINT:
      if (wParam) {
        PaintCombo(hwnd, *state, reinterpret_cast<HDC>(wParam));
      } else {
        PAINTSTRUCT paint{};
        if (BeginPaint(hwnd, &paint)) {
          PaintCombo(hwnd, *state, paint.hdc);
          EndPaint(hwnd, &paint);
        }
      }
      return 0;
    case WM_PRINTCLIENT:
      PaintCombo(hwnd, *state, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      if (HWND parent = GetParent(hwnd)) return SendMessageW(parent, message, wParam, lParam);
      return 0;
    case WM_SIZE:
      if (state->edit) {
        RECT client{};
        GetClientRect(hwnd, &client);
        RECT editRect{};
        GetWindowRect(state->edit, &editRect);
        POINT origin{editRect.left, editRect.top};
        ScreenToClient(hwnd, &origin);
        SetWindowPos(state->edit, nullptr, origin.x, origin.y,
                     std::max<LONG>(client.right - kComboArrowWidth - origin.x, 0),
                     editRect.bottom - editRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
      ComboItem item{lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string(),
                     0};
      const auto at = message == CB_ADDSTRING || static_cast<int>(wParam) < 0
                          ? state->items.size()
                          : static_cast<std::size_t>(wParam);
      if (at > state->items.size()) return CB_ERR;
      state->items.insert(state->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
      if (state->selection >= static_cast<int>(at)) ++state->selection;
      InvalidateRect(hwnd, nullptr, TRUE);
      return static_cast<LRESULT>(at);
    }
    case CB_DELETESTRING:
      if (!state->Valid(static_cast<LONG_PTR>(wParam))) return CB_ERR;
      state->items.erase(state->items.begin() + static_cast<std::ptrdiff_t>(wParam));
      if (state->selection == static_cast<int>(wParam))
        state->selection = -1;
      else if (state->selection > static_cast<int>(wParam))
        --state->selection;
      InvalidateRect(hwnd, nullptr, TRUE);
      return static_cast<LRESULT>(state->items.size());
    case CB_RESETCONTENT:
      state->items.clear();
      state->selection = -1;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case CB_GETCOUNT:
      return static_cast<LRESULT>(state->items.size());
    case CB_GETCURSEL:
      return state->selection;
    case CB_SETCURSEL: {
      const int index = static_cast<int>(wParam);
      Select(hwnd, *state, state->Valid(index) ? index : -1, false);
      return state->Valid(index) ? index : CB_ERR;
    }
    case CB_GETLBTEXT:
      return CopyItemText(*state, wParam, lParam);
    case CB_GETLBTEXTLEN:
      return state->Valid(static_cast<LONG_PTR>(wParam))
                 ? static_cast<LRESULT>(state->items[wParam].text.size())
                 : CB_ERR;
    case CB_GETITEMDATA:
      return state->Valid(static_cast<LONG_PTR>(wParam)) ? state->items[wParam].data : CB_ERR;
    case CB_SETITEMDATA:
      if (!state->Valid(static_cast<LONG_PTR>(wParam))) return CB_ERR;
      state->items[wParam].data = lParam;
      return TRUE;
    case CB_FINDSTRINGEXACT:
      return FindExact(*state, wParam, lParam);
    case CB_SHOWDROPDOWN:
      if (wParam && !state->dropped) {
        Notify(hwnd, CBN_DROPDOWN);
        SetDropped(hwnd, *state, true);
      } else if (!wParam && state->dropped) {
        SetDropped(hwnd, *state, false);
        Notify(hwnd, CBN_CLOSEUP);
      }
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return state->dropped ? TRUE : FALSE;
    case CB_SETITEMHEIGHT:
      // Heights outside a byte are refused, as the real box refuses them.
      if (lParam <= 0 || lParam > 255) return CB_ERR;
      if (static_cast<int>(wParam) == -1)
        state->fieldHeight = static_cast<int>(lParam);
      else
        state->itemHeight = static_cast<int>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case CB_GETITEMHEIGHT:
      return static_cast<int>(wParam) == -1 ? state->fieldHeight : state->itemHeight;
    case CB_GETEDITSEL:
      return state->edit ? SendMessageW(state->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      if (!state->edit) return CB_ERR;
      SendMessageW(state->edit, EM_SETSEL,
                   static_cast<WPARAM>(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)))),
                   static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lParam))));
      return TRUE;
    case CB_LIMITTEXT:
      return TRUE;
    case CB_GETCOMBOBOXINFO: {
      auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
      if (!info || info->cbSize != sizeof(COMBOBOXINFO)) return FALSE;
      RECT client{};
      GetClientRect(hwnd, &client);
      info->hwndCombo = hwnd;
      info->hwndItem = state->edit;
      info->hwndList = nullptr;
      info->rcItem = RECT{kComboFrame, kComboFrame,
                          std::max<LONG>(client.right - kComboArrowWidth, kComboFrame),
                          kComboFrame + state->fieldHeight};
      info->rcButton =
          RECT{info->rcItem.right, kComboFrame, client.right, kComboFrame + state->fieldHeight};
      return TRUE;
    }
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

namespace platform::ui::detail {

void ComboKeyDown(HWND combo, int virtualKey) {
  auto state = StateOf(combo);
  if (!state) return;
  const bool alt = GetKeyState(VK_MENU) < 0;
  if (virtualKey == VK_F4 || (alt && (virtualKey == VK_DOWN || virtualKey == VK_UP))) {
    if (state->dropped)
      CloseList(combo, *state, true);
    else
      OpenList(combo, *state);
    return;
  }
  switch (virtualKey) {
    case VK_DOWN:
    case VK_UP: {
      if (state->items.empty()) return;
      const int last = static_cast<int>(state->items.size()) - 1;
      const int next = virtualKey == VK_DOWN ? std::min(state->selection + 1, last)
                                             : std::max(state->selection - 1, 0);
      Select(combo, *state, next, true);
      return;
    }
    case VK_RETURN:
      CloseList(combo, *state, true);
      return;
    case VK_ESCAPE:
      CloseList(combo, *state, false);
      return;
    default:
      return;
  }
}

void ComboEditFocusLost(HWND combo, HWND newFocus) {
  if (auto state = StateOf(combo)) FocusLeft(combo, *state, newFocus);
}

void RegisterComboBoxClass() { RegisterControlClass(WC_COMBOBOXW, ComboProc, CS_DBLCLKS); }

}  // namespace platform::ui::detail

BOOL GetComboBoxInfo(HWND combo, COMBOBOXINFO* info) {
  return SendMessageW(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)) ? TRUE : FALSE;
}

namespace platform::ui {

bool OpenComboList(HWND combo) {
  auto state = StateOf(combo);
  if (!state || !IsWindowEnabled(combo)) return false;
  HWND focus = GetFocus();
  if (focus != combo && (!state->edit || focus != state->edit)) SetFocus(combo);
  OpenList(combo, *state);
  return true;
}

bool ChooseComboItem(HWND combo, int index) {
  auto state = StateOf(combo);
  if (!state || !state->Valid(index)) return false;
  if (!state->dropped) OpenComboList(combo);
  Select(combo, *state, index, true);
  CloseList(combo, *state, true);
  return true;
}

bool DismissComboList(HWND combo) {
  auto state = StateOf(combo);
  if (!state || !state->dropped) return false;
  CloseList(combo, *state, false);
  return true;
}

}  // namespace platform::ui
