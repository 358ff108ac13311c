#include "framework/controls/ComboBoxControlC.h"

#include <vector>

#include "framework/command/CommandC.h"
#include "framework/controls/ComboListText.h"
#include "framework/controls/ControlStyle.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageQueue.h"

namespace framework {

namespace {
constexpr int kComboLeftInset = 2;
constexpr int kComboRightInset = 4;
constexpr int kItemTextIndent = 2;
}  // namespace

ComboBoxControlC::ComboBoxControlC(CommandI* command, std::string list)
    : ControlC(command, {}), list_(std::move(list)) {
  // Only commands built on CommandC keep an item list the box can extend.
  if (auto* listCommand = dynamic_cast<CommandC*>(command)) {
    for (const std::string& item : SplitListText(list_)) listCommand->InsertItem(item, -1);
  }
}

ComboBoxControlC::~ComboBoxControlC() {
  SettleTypedText();
  edit_.Release();
}

bool ComboBoxControlC::CreateControlWindow(HWND parent, int id) {
  const bool fixedList = (StyleWord() & style::kFixedList) != 0;
  HFONT font = ToolBand() != nullptr ? ToolBand()->Font() : nullptr;
  if (!base_.Create(parent, id, fixedList, font)) return false;
  edit_.TakeOver(base_.EditField());
  if (!fixedList && Command() != nullptr) {
    const std::u16string text = platform::AnsiToWide(Command()->Text());
    SetWindowTextW(Window(), platform::AsWchar(text));
  }
  OnSelectionChanged();
  EnableWindow(Window(), Command() != nullptr && Command()->IsEnabled());
  if (StyleWord() & style::kDisabled) ShowWindow(Window(), SW_HIDE);
  return true;
}

void ComboBoxControlC::Place(int x, int width) {
  if (Window() == nullptr) return;
  SettleTypedText();
  HWND edit = EditField();
  // Moving the box would select or scroll the typed text; keep it as it was.
  std::u16string text;
  DWORD start = 0;
  DWORD end = 0;
  if (edit != nullptr) {
    text = platform::ui::WindowText(edit);
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetWindowTextW(edit, platform::AsWchar(u""));
  }
  SetWindowPos(Window(), nullptr, x + kComboLeftInset, Top(), width - kComboRightInset,
               ToolbarRect().bottom + ComboBoxBaseC::kListDepth,
               SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  if (edit != nullptr) {
    SetWindowTextW(edit, platform::AsWchar(text));
    SendMessageW(edit, EM_SETSEL, start, static_cast<LPARAM>(end));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  }
}

void ComboBoxControlC::UpdateVisibility() {
  if (Window() == nullptr) return;
  ShowWindow(Window(), (StyleWord() & style::kDisabled) ? SW_HIDE : SW_SHOWNA);
}

bool ComboBoxControlC::Activate() {
  if (Window() == nullptr) return false;
  SetFocus(EditField() != nullptr ? EditField() : Window());
  return true;
}

bool ComboBoxControlC::HasFocus() const {
  HWND focus = GetFocus();
  return focus != nullptr && (focus == Window() || focus == EditField());
}

std::u16string ComboBoxControlC::WindowText() const { return platform::ui::WindowText(Window()); }

void ComboBoxControlC::OnTextChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (Window() == nullptr || base_.IsFixedList() || Command() == nullptr) return;
  const std::u16string text = platform::AnsiToWide(Command()->Text());
  if (WindowText() != text) SetWindowTextW(Window(), platform::AsWchar(text));
}

void ComboBoxControlC::OnSelectionChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (Window() == nullptr || Command() == nullptr) return;
  const std::vector<std::string>& items = Command()->Items();
  const auto count = static_cast<std::size_t>(SendMessageW(Window(), CB_GETCOUNT, 0, 0));
  bool equal = count == items.size();
  for (std::size_t i = 0; equal && i < count; ++i)
    equal = ItemText(static_cast<int>(i)) == items[i];
  if (!equal) {
    SendMessageW(Window(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
      const std::u16string wide = platform::AnsiToWide(item);
      SendMessageW(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
  }
  const auto* listCommand = dynamic_cast<const CommandC*>(Command());
  if (listCommand == nullptr) return;
  const int selected = listCommand->SelectedIndex();
  if (SendMessageW(Window(), CB_GETCURSEL, 0, 0) != selected) {
    SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  }
}

std::string ComboBoxControlC::ItemText(int index) const {
  return platform::WideToAnsi(ItemWideText(index));
}

std::u16string ComboBoxControlC::ItemWideText(int index) const {
  const LRESULT length = SendMessageW(Window(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(Window(), CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

bool ComboBoxControlC::ListOpen() const {
  return SendMessageW(Window(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void ComboBoxControlC::OnWindowCommand(WORD notification) {
  // Opening, closing and choosing from the list rewrite the edit field.
  if (notification != CBN_EDITCHANGE && notification != CBN_EDITUPDATE) SettleTypedText();
  switch (notification) {
    case CBN_SETFOCUS:
      OnFocusGained();
      break;
    case CBN_KILLFOCUS:
      if (ToolBand() != nullptr) ToolBand()->ControlFocusLost(this);
      break;
    case CBN_EDITCHANGE:
      OnTyping();
      break;
    case CBN_DROPDOWN:
      OnListOpening();
      break;
    case CBN_CLOSEUP:
      OnCloseUp();
      break;
    case CBN_SELENDOK:
      OnSelectionEnded();
      break;
    case CBN_SELENDCANCEL:
      OnSelectionCancelled();
      break;
    default:
      break;
  }
}

void ComboBoxControlC::OnFocusGained() {
  if (ToolBand() != nullptr) ToolBand()->ControlFocusGained(this);
  if (Command() != nullptr && Command()->Text() == kSearchPromptText)
    Command()->ChooseText("", this);
}

void ComboBoxControlC::OnTyping() {
  if (Command() == nullptr) return;
  if (auto* command = dynamic_cast<CommandC*>(Command())) {
    command->FollowTypedText(this);
    return;
  }
  // Commands of plug-ins keep their text themselves: they hear every keystroke.
  const std::string text = TypedText();
  if (text != Command()->Text()) Command()->SetTextQuietly(text);
}

std::string ComboBoxControlC::TypedText() const { return platform::WideToAnsi(WindowText()); }

void ComboBoxControlC::SettleTypedText() {
  if (auto* command = dynamic_cast<CommandC*>(Command())) command->SettleTypedText(this);
}

void ComboBoxControlC::OnListOpening() {
  if (Command() == nullptr) return;
  Command()->DropDownOpening();
  SendMessageW(Window(), CB_RESETCONTENT, 0, 0);
  for (const std::string& item : Command()->Items()) {
    const std::u16string wide = platform::AnsiToWide(item);
    SendMessageW(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  SendMessageW(Window(), CB_SETITEMHEIGHT, 0, ComboBoxBaseC::kItemHeight);
  if (base_.IsFixedList()) {
    const auto* listCommand = dynamic_cast<const CommandC*>(Command());
    if (listCommand != nullptr && listCommand->SelectedIndex() >= 0) {
      SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(listCommand->SelectedIndex()), 0);
    }
    base_.savedSelection = static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0));
  } else {
    const std::u16string text = platform::AnsiToWide(Command()->Text());
    SetWindowTextW(Window(), platform::AsWchar(text));
    base_.savedText = WindowText();
  }
  base_.droppedDown = true;
}

void ComboBoxControlC::OnCloseUp() {
  if (base_.IsFixedList() && base_.droppedDown) {
    SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(base_.savedSelection), 0);
  }
  if (!base_.droppedDown) return;
  base_.droppedDown = false;
  if (ToolBand() != nullptr) ToolBand()->ControlFocusLost(this);
  if (Command() != nullptr) Command()->FocusLost();
}

void ComboBoxControlC::OnSelectionEnded() {
  base_.droppedDown = false;
  const auto selected = static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0));
  if (selected >= 0) Commit(ItemText(selected), false);
}

void ComboBoxControlC::OnSelectionCancelled() {
  if (base_.IsFixedList() || !base_.droppedDown) return;
  SetWindowTextW(Window(), platform::AsWchar(base_.savedText));
}

void ComboBoxControlC::Commit(const std::string& text, bool keepFocus) {
  if (!keepFocus && ToolBand() != nullptr) ToolBand()->GiveFocusBack();
  if (Command() != nullptr) Command()->ChooseText(text, this);
}

bool ComboBoxControlC::OnEditFieldEnter() {
  base_.droppedDown = false;
  HWND edit = EditField();
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool wholeTextSelected = start == 0 && end > start;
  if (ListOpen() && wholeTextSelected) {
    SendMessageW(Window(), CB_SHOWDROPDOWN, FALSE, 0);
    const auto selected = static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0));
    if (selected >= 0) Commit(ItemText(selected), true);
  } else {
    if (ListOpen()) SendMessageW(Window(), CB_SHOWDROPDOWN, FALSE, 0);
    Commit(platform::WideToAnsi(platform::ui::WindowText(edit)), true);
  }
  SendMessageW(edit, EM_SETSEL, start, static_cast<LPARAM>(end));
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  return false;
}

bool ComboBoxControlC::OnDownArrow() {
  if (ListOpen()) return false;
  SendMessageW(Window(), CB_SHOWDROPDOWN, TRUE, 0);
  return true;
}

bool ComboBoxControlC::OnFixedListEnter() {
  base_.droppedDown = false;
  const auto selected = static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0));
  if (selected >= 0) Commit(ItemText(selected), false);
  // Closing the list here keeps the box from reporting the same choice again.
  if (ListOpen()) SendMessageW(Window(), CB_SHOWDROPDOWN, FALSE, 0);
  return true;
}

void ComboBoxControlC::OnWindowDrawItem(const DRAWITEMSTRUCT& draw) {
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const auto index = static_cast<int>(draw.itemID);
  if (index < 0 || index >= static_cast<int>(SendMessageW(Window(), CB_GETCOUNT, 0, 0))) return;
  const std::u16string text = ItemWideText(index);
  RECT rect = draw.rcItem;
  if (draw.itemState & ODS_COMBOBOXEDIT) {
    rect.top += base_.EditOffset();
    rect.bottom += base_.EditOffset();
  } else {
    rect.left += kItemTextIndent;
    rect.right += kItemTextIndent;
  }
  // The box draws all its items on one context: leave it as it came.
  const int oldMode = SetBkMode(draw.hDC, TRANSPARENT);
  const COLORREF oldColour =
      SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  HGDIOBJ oldFont =
      SelectObject(draw.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(Window(), WM_GETFONT, 0, 0)));
  // Entries are search terms and names, not labels: an "&" in them is
  // shown as it is, not taken for a mnemonic mark.
  DrawTextW(draw.hDC, platform::AsWchar(text), static_cast<int>(text.size()), &rect,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (oldFont != nullptr) SelectObject(draw.hDC, oldFont);
  SetTextColor(draw.hDC, oldColour);
  SetBkMode(draw.hDC, oldMode);
}

void ComboBoxControlC::OnWindowMeasureItem(MEASUREITEMSTRUCT& measure) {
  measure.itemHeight = static_cast<int>(measure.itemID) < 0 ? ComboBoxBaseC::kSelectionFieldHeight
                                                            : ComboBoxBaseC::kItemHeight;
}

}  // namespace framework
