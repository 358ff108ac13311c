#include <algorithm>
#include <string>

#include "platform/ui/ComboBox.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/ComboKeys.h"
#include "platform/ui/detail/ControlClass.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

// The control keeps its text itself and answers WM_GETTEXT for it, as the
// real edit control does: a character typed is then one insertion into
// it, not a copy of all the text there is, so typing is linear in it.
class EditState : public ControlState {
 public:
  std::u16string text;
  DWORD selectionStart = 0;
  DWORD selectionEnd = 0;
  WORD leftMargin = 0;
  WORD rightMargin = 0;
  RECT formatRect{};
  bool formatRectSet = false;
  bool readOnly = false;
  // Shown for every character instead of it; 0 shows the text itself.
  WCHAR passwordChar = 0;
  HFONT font = nullptr;
};

void Notify(HWND edit, WORD code) {
  HWND parent = GetParent(edit);
  if (parent)
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(edit)), code),
                 reinterpret_cast<LPARAM>(edit));
}

bool IsComboChild(HWND edit) {
  HWND parent = GetParent(edit);
  return parent && platform::ui::WindowClassName(parent) == WC_COMBOBOXW;
}

// The user changed the text: store it, then EN_UPDATE and EN_CHANGE.
void ReplaceSelection(HWND edit, EditState& state, std::u16string_view insert, bool notify) {
  const auto length = static_cast<DWORD>(state.text.size());
  const DWORD start = std::min({state.selectionStart, state.selectionEnd, length});
  const DWORD end = std::min(std::max(state.selectionStart, state.selectionEnd), length);
  state.text.replace(start, end - start, insert);
  InvalidateRect(edit, nullptr, TRUE);
  state.selectionStart = state.selectionEnd = start + static_cast<DWORD>(insert.size());
  if (notify) {
    Notify(edit, EN_UPDATE);
    Notify(edit, EN_CHANGE);
  }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto state = std::make_shared<EditState>();
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    state->readOnly = (create->style & ES_READONLY) != 0;
    if (create->style & ES_PASSWORD) state->passwordChar = u'*';
    if (create->lpszName != nullptr) state->text = create->lpszName;
    AttachControlState(hwnd, state);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  auto state = ControlStateOf<EditState>(hwnd);
  if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      state->text = text != nullptr ? text : u"";
      InvalidateRect(hwnd, nullptr, TRUE);
      state->selectionStart = state->selectionEnd = 0;
      // A program setting the text of a combo box's field is not an edit by the user.
      if (!IsComboChild(hwnd)) {
        Notify(hwnd, EN_UPDATE);
        Notify(hwnd, EN_CHANGE);
      }
      return TRUE;
    }
    case WM_CHAR: {
      const auto character = static_cast<WCHAR>(wParam);
      if (state->readOnly) return 0;
      if (character == 0x08) {
        if (state->selectionStart == state->selectionEnd && state->selectionStart > 0)
          --state->selectionStart;
        ReplaceSelection(hwnd, *state, u"", true);
      } else if (character >= 0x20) {
        ReplaceSelection(hwnd, *state, std::u16string_view(&character, 1), true);
      }
      return 0;
    }
    case WM_KEYDOWN:
      if (IsComboChild(hwnd)) ComboKeyDown(GetParent(hwnd), static_cast<int>(wParam));
      return 0;
    case WM_SETFOCUS:
      // Read-only fields get a caret too, as the real edit gives them one.
      CreateCaret(hwnd, nullptr, 1, platform::ui::kTextHeight);
      ShowCaret(hwnd);
      Notify(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (platform::ui::CaretWindow() == hwnd) DestroyCaret();
      Notify(hwnd, EN_KILLFOCUS);
      if (IsComboChild(hwnd)) ComboEditFocusLost(GetParent(hwnd), reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_PAINT: {
      HWND parent = GetParent(hwnd);
      const UINT ask =
          (state->readOnly || !IsWindowEnabled(hwnd)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
      if (parent) SendMessageW(parent, ask, 0, reinterpret_cast<LPARAM>(hwnd));
      ValidateRect(hwnd, nullptr);
      return 0;
    }
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      if (buffer == nullptr || wParam == 0) return 0;
      const auto count = std::min<std::size_t>(state->text.size(), wParam - 1);
      std::copy_n(state->text.data(), count, buffer);
      buffer[count] = 0;
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(state->text.size());
    case EM_GETSEL:
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = state->selectionStart;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = state->selectionEnd;
      return MAKELPARAM(static_cast<WORD>(state->selectionStart),
                        static_cast<WORD>(state->selectionEnd));
    case EM_SETSEL: {
      const auto length = static_cast<DWORD>(state->text.size());
      const auto start = static_cast<LONG>(static_cast<int>(wParam));
      const auto end = static_cast<LONG>(static_cast<int>(lParam));
      if (start < 0) {
        state->selectionStart = state->selectionEnd;  // -1 removes the selection
        return 0;
      }
      state->selectionStart = std::min(static_cast<DWORD>(start), length);
      state->selectionEnd = end < 0 ? length : std::min(static_cast<DWORD>(end), length);
      return 0;
    }
    case EM_REPLACESEL:
      ReplaceSelection(hwnd, *state,
                       lParam ? std::u16string_view(reinterpret_cast<LPCWSTR>(lParam)) : u"",
                       false);
      return 0;
    case EM_SETMARGINS:
      if (wParam & EC_LEFTMARGIN) state->leftMargin = LOWORD(static_cast<DWORD_PTR>(lParam));
      if (wParam & EC_RIGHTMARGIN) state->rightMargin = HIWORD(static_cast<DWORD_PTR>(lParam));
      return 0;
    case EM_GETMARGINS:
      return MAKELPARAM(state->leftMargin, state->rightMargin);
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (lParam) {
        state->formatRect = *reinterpret_cast<const RECT*>(lParam);
        state->formatRectSet = true;
      }
      return 0;
    case EM_GETRECT:
      if (auto* rect = reinterpret_cast<RECT*>(lParam)) {
        if (state->formatRectSet)
          *rect = state->formatRect;
        else
          GetClientRect(hwnd, rect);
      }
      return 0;
    case EM_SETREADONLY:
      state->readOnly = wParam != 0;
      SetWindowLongPtrW(hwnd, GWL_STYLE,
                        (GetWindowLongPtrW(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(ES_READONLY)) |
                            (wParam ? ES_READONLY : 0));
      return TRUE;
    case EM_SETPASSWORDCHAR:
      state->passwordChar = static_cast<WCHAR>(wParam);
      SetWindowLongPtrW(hwnd, GWL_STYLE,
                        (GetWindowLongPtrW(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(ES_PASSWORD)) |
                            (wParam ? ES_PASSWORD : 0));
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case EM_GETPASSWORDCHAR:
      return state->passwordChar;
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case EM_SCROLLCARET:
    case EM_LIMITTEXT:
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    if (HWND parent = GetParent(hwnd))
      SendMessageW(parent, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(hwnd));
    ValidateRect(hwnd, nullptr);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

namespace platform::ui::detail {

void RegisterEditAndStaticClasses() {
  RegisterControlClass(WC_EDITW, EditProc, CS_DBLCLKS);
  RegisterControlClass(WC_STATICW, StaticProc, 0);
}

}  // namespace platform::ui::detail
