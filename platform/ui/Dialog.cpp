#include "platform/ui/Dialog.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/ControlClass.h"
#include "platform/ui/detail/DialogTemplateReader.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

constexpr const WCHAR* kDialogClass = u"#32770";
constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

class DialogState : public ControlState {
 public:
  DLGPROC procedure = nullptr;
  HFONT font = nullptr;
  bool ended = false;
  INT_PTR result = 0;
};

struct DialogCreation {
  DLGPROC procedure;
};

// MulDiv's rounding, which MapDialogRect uses.
LONG MulDivRounded(LONG value, LONG numerator, LONG denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<LONG>(product >= 0 ? (product + half) / denominator
                                        : -((-product + half) / denominator));
}

RECT UnitsToPixels(RECT units) {
  return RECT{MulDivRounded(units.left, platform::ui::kCharWidth, 4),
              MulDivRounded(units.top, platform::ui::kTextHeight, 8),
              MulDivRounded(units.right, platform::ui::kCharWidth, 4),
              MulDivRounded(units.bottom, platform::ui::kTextHeight, 8)};
}

// WM_INITDIALOG and the colour messages answer with the dialog procedure's
// own return value; for the rest TRUE only means "handled".
bool AnswersDirectly(UINT message) {
  return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

void EraseBackground(HWND dialog, HDC dc) {
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
  if (brush == nullptr) brush = GetSysColorBrush(COLOR_BTNFACE);
  RECT client{};
  GetClientRect(dialog, &client);
  FillRect(dc, &client, brush);
}

LRESULT DefaultDialogHandling(HWND dialog, DialogState& state, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return 0;
    case WM_ERASEBKGND:
      EraseBackground(dialog, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_SETFONT:
      state.font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state.font);
    default:
      return DefWindowProcW(dialog, message, wParam, lParam);
  }
}

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto state = std::make_shared<DialogState>();
    if (const auto* creation = static_cast<const DialogCreation*>(create->lpCreateParams))
      state->procedure = creation->procedure;
    AttachControlState(hwnd, state);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  auto state = ControlStateOf<DialogState>(hwnd);
  if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_PRINTCLIENT && (lParam & PRF_ERASEBKGND))
    EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
  if (state->procedure) {
    const INT_PTR answer = state->procedure(hwnd, message, wParam, lParam);
    if (answer) return AnswersDirectly(message) ? answer : 0;
  }
  return DefaultDialogHandling(hwnd, *state, message, wParam, lParam);
}

std::mutex responderMutex;
platform::ui::DialogResponder& InstalledResponder() {
  static platform::ui::DialogResponder responder;
  return responder;
}
platform::ui::DialogResponder CurrentResponder() {
  std::lock_guard lock(responderMutex);
  return InstalledResponder();
}

// The font a template names, for the dialog and every control; freed when
// the dialog has gone.
class TemplateFont {
 public:
  explicit TemplateFont(const DialogLayout& layout) {
    if (layout.pointSize == 0) return;
    LOGFONTW description{};
    description.lfHeight = -MulDivRounded(layout.pointSize, kScreenDpi, kPointsPerInch);
    const std::size_t length =
        std::min(layout.faceName.size(), std::size(description.lfFaceName) - 1);
    std::copy_n(layout.faceName.data(), length, description.lfFaceName);
    font_ = CreateFontIndirectW(&description);
  }
  ~TemplateFont() {
    if (font_) DeleteObject(font_);
  }
  TemplateFont(const TemplateFont&) = delete;
  TemplateFont& operator=(const TemplateFont&) = delete;
  HFONT Get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

// Disables the owner while the dialog runs, as a modal dialog does.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner)
      : owner_(owner != nullptr && IsWindowEnabled(owner) ? owner : nullptr) {
    if (owner_) EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() {
    if (owner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
};

bool CreateItems(HWND dialog, const DialogLayout& layout, HFONT font, HINSTANCE instance) {
  for (const auto& item : layout.items) {
    const RECT place = UnitsToPixels(item.units);
    HWND control = CreateWindowExW(
        item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD, place.left,
        place.top, place.right - place.left, place.bottom - place.top, dialog,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, nullptr);
    if (!control) return false;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return true;
}

// Registered when a dialog box is first made, not with the other built-in
// classes: code that makes plain windows of the dialog class may register
// the class itself first (its tests watch those windows), as it would take
// precedence over the system's class on Windows.
void RegisterDialogClass() {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(nullptr, kDialogClass, &existing))
    RegisterControlClass(kDialogClass, DialogWindowProc, CS_DBLCLKS);
}

HWND FirstTabStop(HWND dialog) {
  // Children are kept newest first; the template's first control is the last.
  HWND found = nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) found = child;
  }
  return found;
}

// The modal loop's part: messages the user's actions posted are handled.
bool Dispatched(bool done) {
  platform::ui::RunUntilIdle();
  return done;
}

}  // namespace


INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner,
                                DLGPROC dialogProc, LPARAM initParam) {
  if (dialogTemplate == nullptr) {
    ::SetLastError(kErrorInvalidParameter);
    return -1;
  }
  RegisterBuiltInClasses();
  RegisterDialogClass();
  const DialogLayout layout = ReadDialogTemplate(dialogTemplate);
  const TemplateFont font(layout);
  RECT frame = UnitsToPixels(layout.units);
  // A pop-up dialog's position counts from its owner's client area.
  POINT origin{};
  if (owner) ClientToScreen(owner, &origin);
  DialogCreation creation{dialogProc};
  platform::ui::UniqueWindow dialog(CreateWindowExW(
      layout.exStyle, kDialogClass, layout.title.c_str(), layout.style & ~(WS_VISIBLE | WS_CHILD),
      frame.left + origin.x, frame.top + origin.y, frame.right - frame.left,
      frame.bottom - frame.top, nullptr, nullptr, instance, &creation));
  if (!dialog) return -1;
  const HWND hwnd = dialog.Get();
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  if (!CreateItems(hwnd, layout, font.Get(), instance)) return -1;

  const OwnerDisabled ownerDisabled(owner);
  HWND firstTabStop = FirstTabStop(hwnd);
  if (SendMessageW(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), initParam) &&
      firstTabStop && !platform::ui::IsDialogEnded(hwnd)) {
    SetFocus(firstTabStop);
  }
  if (!platform::ui::IsDialogEnded(hwnd)) {
    ShowWindow(hwnd, SW_SHOW);
    SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  }
  if (!platform::ui::IsDialogEnded(hwnd)) {
    if (const platform::ui::DialogResponder responder = CurrentResponder()) responder(hwnd);
  }
  if (!platform::ui::IsDialogEnded(hwnd)) SendMessageW(hwnd, WM_CLOSE, 0, 0);
  auto state = ControlStateOf<DialogState>(hwnd);
  return state && state->ended ? state->result : IDCANCEL;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  auto state = ControlStateOf<DialogState>(dialog);
  if (!state) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  state->ended = true;
  state->result = result;
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowTextW(item, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferChars) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) {
    if (buffer && bufferChars > 0) buffer[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowTextW(item, buffer, bufferChars));
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SendMessageW(item, message, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return FALSE;
  SendMessageW(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
  if (!rect || !ControlStateOf<DialogState>(dialog)) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = UnitsToPixels(*rect);
  return TRUE;
}

namespace platform::ui {

ScopedDialogResponder::ScopedDialogResponder(DialogResponder responder) {
  std::lock_guard lock(responderMutex);
  previous_ = std::exchange(InstalledResponder(), std::move(responder));
}

ScopedDialogResponder::~ScopedDialogResponder() {
  std::lock_guard lock(responderMutex);
  InstalledResponder() = std::move(previous_);
}

bool FocusDialogItem(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return false;
  SetFocus(item);
  return Dispatched(true);
}

bool TypeIntoDialogItem(HWND dialog, int id, std::u16string_view text) {
  if (!FocusDialogItem(dialog, id)) return false;
  TypeCharacters(text);
  return Dispatched(true);
}

bool SelectDialogItemText(HWND dialog, int id) {
  if (!FocusDialogItem(dialog, id)) return false;
  SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
  return true;
}

bool ChooseDialogListEntry(HWND dialog, int id, int index) {
  HWND item = GetDlgItem(dialog, id);
  return item && Dispatched(ChooseComboItem(item, index));
}

bool ClickDialogButton(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return false;
  SendMessageW(item, BM_CLICK, 0, 0);
  return Dispatched(true);
}

bool IsDialogEnded(HWND dialog) {
  auto state = ControlStateOf<DialogState>(dialog);
  return state && state->ended;
}

}  // namespace platform::ui
