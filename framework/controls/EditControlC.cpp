#include "framework/controls/EditControlC.h"

#include "framework/command/CommandI.h"
#include "framework/controls/ControlStyle.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Subclass.h"

namespace framework {

namespace {

constexpr UINT_PTR kFieldSubclassId = 1;
constexpr int kEditLeftInset = 2;
constexpr int kEditRightInset = 4;
// Read-only text starts one pixel down and keeps 11 pixels clear on the right.
constexpr int kReadOnlyTextTop = 1;
constexpr int kReadOnlyTextRightGap = 11;

void SetTextIfDifferent(HWND window, const std::string& text) {
  const std::u16string wide = platform::AnsiToWide(text);
  if (platform::ui::WindowText(window) != wide) SetWindowTextW(window, platform::AsWchar(wide));
}

}  // namespace

EditControlC::~EditControlC() {
  if (window_) RemoveWindowSubclass(window_.Get(), &EditControlC::FieldProc, kFieldSubclassId);
}

DWORD EditControlC::WindowStyle() const {
  return WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_MULTILINE;
}

DWORD ReadOnlyControlC::WindowStyle() const { return EditControlC::WindowStyle() | ES_READONLY; }

bool EditControlC::CreateControlWindow(HWND parent, int id) {
  DWORD style = WindowStyle();
  if (StyleWord() & style::kDisabled) style &= ~WS_VISIBLE;
  const std::u16string text =
      platform::AnsiToWide(Command() != nullptr ? Command()->Text() : std::string());
  window_.Reset(CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, platform::AsWchar(text), style, 0, 0, 0,
                                0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                nullptr, nullptr));
  if (!window_) return false;
  if (ToolBand() != nullptr) {
    SendMessageW(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(ToolBand()->Font()), 0);
  }
  SetWindowSubclass(window_.Get(), &EditControlC::FieldProc, kFieldSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  return true;
}

void EditControlC::Place(int x, int width) {
  if (!window_) return;
  MoveWindow(window_.Get(), x + kEditLeftInset, Top(), width - kEditLeftInset - kEditRightInset, RowHeight(),
             TRUE);
}

void ReadOnlyControlC::Place(int x, int width) {
  if (!Window()) return;
  MoveWindow(Window(), x + kEditLeftInset, Top(), width - kEditRightInset, RowHeight(), TRUE);
  RECT format{0, kReadOnlyTextTop, width - kReadOnlyTextRightGap, RowHeight() - 1};
  SendMessageW(Window(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
}

void EditControlC::UpdateVisibility() {
  if (!window_) return;
  ShowWindow(window_.Get(), (StyleWord() & style::kDisabled) ? SW_HIDE : SW_SHOWNA);
}

bool EditControlC::Activate() {
  if (!window_) return false;
  SetFocus(window_.Get());
  return true;
}

bool EditControlC::HasFocus() const { return window_ && GetFocus() == window_.Get(); }

void EditControlC::OnTextChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (window_ && Command() != nullptr) SetTextIfDifferent(window_.Get(), Command()->Text());
}

void ReadOnlyControlC::OnTextChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (!Window() || Command() == nullptr) return;
  const std::u16string text = platform::AnsiToWide(Command()->Text());
  SetWindowTextW(Window(), platform::AsWchar(text));
}

void ReadOnlyControlC::OnCursorOver() {
  if (Window() != nullptr && GetFocus() == Window()) DestroyCaret();
}

void EditControlC::OnWindowCommand(WORD notification) {
  if (ToolBand() == nullptr) return;
  if (notification == EN_SETFOCUS) ToolBand()->ControlFocusGained(this);
  if (notification == EN_KILLFOCUS) ToolBand()->ControlFocusLost(this);
}

void EditControlC::OnEnter() {
  if (ToolBand() != nullptr) ToolBand()->GiveFocusBack();
  if (Command() != nullptr) {
    Command()->ChooseText(platform::WideToAnsi(platform::ui::WindowText(window_.Get())), this);
  }
}

LRESULT EditControlC::FieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR self) {
  auto* control = reinterpret_cast<EditControlC*>(self);
  const bool enter = wParam == static_cast<WPARAM>(VK_RETURN);
  if (message == WM_KEYDOWN && enter) {
    control->OnEnter();
    return 0;
  }
  if (message == WM_SETCURSOR) control->OnCursorOver();
  // The rest of the Enter key would beep or break the line.
  if ((message == WM_KEYUP && enter) || (message == WM_CHAR && wParam == u'\r')) return 0;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace framework
