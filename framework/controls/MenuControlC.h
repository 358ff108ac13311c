// A menu: on the toolbar a drop-down button (split when the menu has a
// command of its own, whole when it has none), inside another menu a
// submenu. It owns its items in document order and builds its popup menu
// from them each time it opens.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/ButtonControlC.h"
#include "framework/controls/ControlCollectionI.h"
#include "platform/ui/Menu.h"

namespace framework {

class MenuControlC : public ButtonControlC, public ControlCollectionI {
 public:
  MenuControlC(CommandI* command, std::string caption)
      : ButtonControlC(command, std::move(caption)) {}
  ~MenuControlC() override;
  ControlKind Kind() const override { return ControlKind::kMenu; }

  void AddControl(std::unique_ptr<ControlI> control) override;
  const std::vector<std::unique_ptr<ControlI>>& Controls() const override;

  // Items added to a menu that already stands on the toolband get their
  // menu item ids at once; so do the items of a menu placed later.
  bool CreateOnToolbar(ToolBandI* toolband, int id) override;
  bool CreateAsMenuItem(ToolBandI* toolband, ControlC* parentMenu, int position, int id) override;
  ControlI* FindById(int id) override;
  HMENU PopupMenu() const override { return popup_; }

  // Builds the popup menu, tracks it under the button (`x`, `y` in screen
  // coordinates, `owner` gets the owner-drawing messages) and executes the
  // chosen item's command. Returns whether an item was chosen.
  bool OpenMenu(HWND owner, int x, int y);

  // As a submenu: an owner-drawn entry holding this menu's own popup.
  void AddToMenu(HMENU menu, int position) override;

 private:
  void CreateItem(ControlI& item);
  // Fills a fresh popup menu with the items.
  HMENU BuildPopup();
  // The popup menus are gone (destroyed with the outermost one).
  void ForgetPopup();

  std::vector<std::unique_ptr<ControlI>> children_;
  HMENU popup_ = nullptr;
};

}  // namespace framework
