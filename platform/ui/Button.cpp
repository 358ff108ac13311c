#include "platform/ui/Button.h"

#include <memory>

#include "platform/ui/Gdi.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/ControlClass.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckBoxTextGap = 4;

class ButtonState : public ControlState {
 public:
  DWORD kind = BS_PUSHBUTTON;
  UINT check = BST_UNCHECKED;
  bool pushed = false;
  HFONT font = nullptr;
};

void Notify(HWND button, WORD code) {
  if (HWND parent = GetParent(button))
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(button)), code),
                 reinterpret_cast<LPARAM>(button));
}

bool IsCheckBox(DWORD kind) { return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX; }

void DrawOwnerDrawn(HWND button, const ButtonState& state, HDC dc, const RECT& client) {
  HWND parent = GetParent(button);
  if (!parent) return;
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_BUTTON;
  draw.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = (state.pushed ? ODS_SELECTED : 0) | (GetFocus() == button ? ODS_FOCUS : 0) |
                   (IsWindowEnabled(button) ? 0 : ODS_DISABLED);
  draw.hwndItem = button;
  draw.hDC = dc;
  draw.rcItem = client;
  SendMessageW(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

// A box with a tick when checked, its label right of it, in the colours
// the parent answers WM_CTLCOLORSTATIC with.
void DrawCheckBox(HWND button, const ButtonState& state, HDC dc, const RECT& client) {
  HWND parent = GetParent(button);
  auto background = parent ? reinterpret_cast<HBRUSH>(SendMessageW(
                                 parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(button)))
                           : nullptr;
  if (background) FillRect(dc, &client, background);
  const LONG top = client.top + (client.bottom - client.top - kCheckBoxSize) / 2;
  RECT box{client.left, top, client.left + kCheckBoxSize, top + kCheckBoxSize};
  FrameRect(dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
  if (state.check == BST_CHECKED) {
    RECT tick{box.left + (kCheckBoxSize - platform::ui::kCharWidth) / 2, box.top, box.right,
              box.bottom};
    DrawTextW(dc, u"\u2713", 1, &tick, DT_LEFT | DT_SINGLELINE);
  }
  const std::u16string label = platform::ui::WindowText(button);
  RECT text{box.right + kCheckBoxTextGap, client.top, client.right, client.bottom};
  DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void DrawPushButton(HWND button, HDC dc, const RECT& client) {
  HWND parent = GetParent(button);
  auto face = parent ? reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORBTN,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(button)))
                     : nullptr;
  FillRect(dc, &client, face ? face : GetSysColorBrush(COLOR_BTNFACE));
  FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
  const std::u16string label = platform::ui::WindowText(button);
  RECT text = client;
  DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Paint(HWND button, const ButtonState& state, HDC dc) {
  RECT client{};
  GetClientRect(button, &client);
  if (state.kind == BS_OWNERDRAW)
    DrawOwnerDrawn(button, state, dc, client);
  else if (IsCheckBox(state.kind))
    DrawCheckBox(button, state, dc, client);
  else
    DrawPushButton(button, dc, client);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto state = std::make_shared<ButtonState>();
    state->kind =
        static_cast<DWORD>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->style) & BS_TYPEMASK;
    AttachControlState(hwnd, state);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  auto state = ControlStateOf<ButtonState>(hwnd);
  if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case BM_GETCHECK:
      return IsCheckBox(state->kind) ? state->check : BST_UNCHECKED;
    case BM_SETCHECK:
      if (IsCheckBox(state->kind)) {
        state->check = wParam == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    case BM_GETSTATE:
      return (IsCheckBox(state->kind) ? state->check : 0) | (state->pushed ? BST_PUSHED : 0) |
             (GetFocus() == hwnd ? BST_FOCUS : 0);
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case BM_CLICK:
      if (!IsWindowEnabled(hwnd)) return 0;
      SendMessageW(hwnd, WM_LBUTTONDOWN, 0, 0);
      SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
      return 0;
    case WM_LBUTTONDOWN:
      state->pushed = true;
      SetFocus(hwnd);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP:
      if (!state->pushed) return 0;
      state->pushed = false;
      if (state->kind == BS_AUTOCHECKBOX)
        state->check = state->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
      InvalidateRect(hwnd, nullptr, TRUE);
      Notify(hwnd, BN_CLICKED);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(hwnd, &paint);
      Paint(hwnd, *state, dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(hwnd, *state, reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

namespace platform::ui::detail {

void RegisterButtonClass() { RegisterControlClass(WC_BUTTONW, ButtonProc, CS_DBLCLKS); }

}  // namespace platform::ui::detail
