#include "framework/controls/MenuControlC.h"

#include "framework/command/CommandI.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"

namespace framework {

MenuControlC::~MenuControlC() {
  // Only the outermost menu owns the popup; submenus go with it.
  if (popup_ != nullptr && ParentMenu() == nullptr) DestroyMenu(popup_);
}

void MenuControlC::AddControl(std::unique_ptr<ControlI> control) {
  children_.push_back(std::move(control));
  if (ToolBand() != nullptr) CreateItem(*children_.back());
}

void MenuControlC::CreateItem(ControlI& item) {
  item.CreateAsMenuItem(ToolBand(), this, -1, ToolBand()->NewControlId());
}

bool MenuControlC::CreateOnToolbar(ToolBandI* toolband, int id) {
  ButtonControlC::CreateOnToolbar(toolband, id);
  for (const std::unique_ptr<ControlI>& child : children_) CreateItem(*child);
  return true;
}

bool MenuControlC::CreateAsMenuItem(ToolBandI* toolband, ControlC* parentMenu, int position,
                                    int id) {
  ButtonControlC::CreateAsMenuItem(toolband, parentMenu, position, id);
  for (const std::unique_ptr<ControlI>& child : children_) CreateItem(*child);
  return true;
}

const std::vector<std::unique_ptr<ControlI>>& MenuControlC::Controls() const { return children_; }

ControlI* MenuControlC::FindById(int id) {
  if (id == ControlId()) return this;
  for (const std::unique_ptr<ControlI>& child : children_) {
    if (ControlI* found = child->FindById(id)) return found;
  }
  return nullptr;
}

HMENU MenuControlC::BuildPopup() {
  popup_ = CreatePopupMenu();
  for (const std::unique_ptr<ControlI>& child : children_)
    child->AsControl()->AddToMenu(popup_, -1);
  return popup_;
}

void MenuControlC::ForgetPopup() {
  popup_ = nullptr;
  for (const std::unique_ptr<ControlI>& child : children_) {
    if (child->Kind() == ControlKind::kMenu) static_cast<MenuControlC*>(child.get())->ForgetPopup();
  }
}

bool MenuControlC::OpenMenu(HWND owner, int x, int y) {
  if (popup_ != nullptr) return false;  // already open
  HMENU popup = BuildPopup();
  const auto chosen = static_cast<int>(
      TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, x, y, owner, nullptr));
  DestroyMenu(popup);
  ForgetPopup();
  if (chosen == 0) return false;
  // The chosen item's control runs its command; it may be a submenu's.
  ControlI* item = FindById(chosen);
  if (item == nullptr || item == this) return false;
  item->Execute();
  return true;
}

void MenuControlC::AddToMenu(HMENU menu, int position) {
  std::string caption = Caption();
  if (caption.empty() && Command() != nullptr) caption = Command()->Text();
  std::u16string text = platform::AnsiToWide(caption);
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
  info.fType = MFT_OWNERDRAW;
  info.wID = static_cast<UINT>(ControlId());
  info.hSubMenu = BuildPopup();
  info.dwItemData = reinterpret_cast<ULONG_PTR>(static_cast<ControlC*>(this));
  info.dwTypeData = platform::AsWchar(text.data());
  InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info);
}

}  // namespace framework
