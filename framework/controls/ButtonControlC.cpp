#include "framework/controls/ButtonControlC.h"

#include "framework/command/CommandI.h"
#include "framework/controls/ControlStyle.h"
#include "framework/controls/MenuItemDrawing.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageQueue.h"

namespace framework {

bool ButtonControlC::Activate() {
  Execute();
  return true;
}

bool ButtonControlC::HasMnemonic() { return ParentMenu() == nullptr && CaptionShown(); }

bool ButtonControlC::IsToggle() const { return (StyleWord() & style::kToggle) != 0; }

bool ButtonControlC::CommandEnabled() const {
  return Command() != nullptr && Command()->IsEnabled();
}

bool ButtonControlC::ShownChecked() const {
  return IsToggle() && CommandEnabled() && Command()->Checked() != 0;
}

void ButtonControlC::Refresh(bool stateOnly) {
  HWND toolbar = ToolBand() != nullptr ? ToolBand()->ToolbarWindow() : nullptr;
  if (toolbar == nullptr || ParentMenu() != nullptr) return;
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_STATE | TBIF_STYLE | TBIF_IMAGE;
  if (SendMessageW(toolbar, TB_GETBUTTONINFOW, static_cast<WPARAM>(ControlId()),
                   reinterpret_cast<LPARAM>(&info)) < 0) {
    return;  // switched off: no button to refresh
  }
  const BYTE keptState = info.fsState & ~(TBSTATE_ENABLED | TBSTATE_CHECKED);
  info.fsState =
      keptState | (CommandEnabled() ? TBSTATE_ENABLED : 0) | (ShownChecked() ? TBSTATE_CHECKED : 0);
  std::u16string text;
  if (stateOnly || (StyleWord() & style::kLeadingImageMenu) != 0) {
    // The leading image menu keeps the image-only look it was inserted with.
    info.dwMask = TBIF_STATE;
  } else {
    text = platform::AnsiToWide(DisplayText());
    // The drop-down and check styles say what kind of button this is; a
    // refresh keeps them and recomputes only the text rule.
    BYTE buttonStyle =
        (info.fsStyle & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN | BTNS_CHECK)) | BTNS_AUTOSIZE;
    if ((!text.empty() && CaptionShown()) || ImageIndex() == kNoImageIndex) {
      buttonStyle |= BTNS_SHOWTEXT;
    }
    info.fsStyle = buttonStyle;
    info.iImage = ImageIndex();
    info.pszText = platform::AsWchar(text.data());
    info.dwMask = TBIF_STATE | TBIF_STYLE | TBIF_IMAGE | TBIF_TEXT;
  }
  SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(ControlId()),
               reinterpret_cast<LPARAM>(&info));

  RECT rect{};
  if (SendMessageW(toolbar, TB_GETRECT, static_cast<WPARAM>(ControlId()),
                   reinterpret_cast<LPARAM>(&rect)) &&
      rect.right - rect.left != recordedWidth_) {
    recordedWidth_ = rect.right - rect.left;
    ToolBand()->LayoutControls();
  }
}

HMENU ButtonControlC::OpenParentMenu() const {
  return ParentMenu() != nullptr ? ParentMenu()->PopupMenu() : nullptr;
}

std::string ButtonControlC::MenuItemText() const {
  if (!Caption().empty()) return Caption();
  return Command() != nullptr ? Command()->Text() : std::string();
}

void ButtonControlC::OnEnabledChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (HMENU menu = OpenParentMenu()) {
    EnableMenuItem(menu, static_cast<UINT>(ControlId()),
                   MF_BYCOMMAND | (CommandEnabled() ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    return;
  }
  Refresh(true);
}

void ButtonControlC::OnImageChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (ToolBand() == nullptr) return;
  SetImageIndex(ToolBand()->AddControlImage(*this));
  if (ParentMenu() == nullptr) Refresh(false);
}

void ButtonControlC::OnTooltipNotice() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (ToolBand() == nullptr || ParentMenu() != nullptr) return;
  HWND toolbar = ToolBand()->ToolbarWindow();
  HWND tooltips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
  if (tooltips == nullptr) return;
  std::u16string text = platform::AnsiToWide(TooltipText());
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = toolbar;
  tool.uId = static_cast<UINT_PTR>(ControlId());
  tool.lpszText = platform::AsWchar(text.data());
  SendMessageW(tooltips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ButtonControlC::OnTextChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (HMENU menu = OpenParentMenu()) {
    std::u16string text = platform::AnsiToWide(DisplayText());
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = platform::AsWchar(text.data());
    SetMenuItemInfoW(menu, static_cast<UINT>(ControlId()), FALSE, &info);
    return;
  }
  Refresh(false);
}

void ButtonControlC::OnCheckedChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (!IsToggle()) return;
  if (HMENU menu = OpenParentMenu()) {
    const bool checked = Command() != nullptr && Command()->Checked() != 0;
    CheckMenuItem(menu, static_cast<UINT>(ControlId()),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    return;
  }
  if (ToolBand() == nullptr || ParentMenu() != nullptr) return;
  SendMessageW(ToolBand()->ToolbarWindow(), TB_CHECKBUTTON, static_cast<WPARAM>(ControlId()),
               MAKELPARAM(ShownChecked() ? 1 : 0, 0));
}

void ButtonControlC::AddToMenu(HMENU menu, int position) {
  if (ToolBand() != nullptr && ImageIndex() < 0 && Bitmap() != nullptr) {
    SetImageIndex(ToolBand()->AddControlImage(*this));
  }
  std::u16string text = platform::AnsiToWide(MenuItemText());
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
  info.fType = MFT_OWNERDRAW;
  info.fState = (CommandEnabled() ? MFS_ENABLED : MFS_GRAYED) |
                (IsToggle() && Command() != nullptr && Command()->Checked() != 0 ? MFS_CHECKED : 0);
  info.wID = static_cast<UINT>(ControlId());
  info.dwItemData = reinterpret_cast<ULONG_PTR>(static_cast<ControlC*>(this));
  info.dwTypeData = platform::AsWchar(text.data());
  InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info);
}

void ButtonControlC::MeasureMenuItem(MEASUREITEMSTRUCT& measure) {
  MeasureOwnerDrawnItem(MenuItemText(), measure);
}

void ButtonControlC::DrawMenuItem(const DRAWITEMSTRUCT& draw) {
  HIMAGELIST images = ToolBand() != nullptr
                          ? reinterpret_cast<HIMAGELIST>(
                                SendMessageW(ToolBand()->ToolbarWindow(), TB_GETIMAGELIST, 0, 0))
                          : nullptr;
  DrawOwnerDrawnItem(MenuItemText(), images, ImageIndex(), draw);
}

}  // namespace framework
