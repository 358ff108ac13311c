// A button: on the toolbar a toolbar button whose text, image, state and
// style follow the command; inside a menu an owner-drawn item whose text,
// grey state and check mark follow it. A click (or the hot key) toggles and
// executes the command.
#pragma once

#include "framework/controls/ControlC.h"

namespace framework {

class ButtonControlC : public ControlC {
 public:
  ButtonControlC(CommandI* command, std::string caption) : ControlC(command, std::move(caption)) {}
  ControlKind Kind() const override { return ControlKind::kButton; }

  bool Activate() override;
  bool HasMnemonic() override;

  void OnEnabledChanged() override;
  void OnImageChanged() override;
  void OnTooltipNotice() override;
  void OnTextChanged() override;
  void OnCheckedChanged() override;

  void AddToMenu(HMENU menu, int position) override;
  void MeasureMenuItem(MEASUREITEMSTRUCT& measure) override;
  void DrawMenuItem(const DRAWITEMSTRUCT& draw) override;

 protected:
  // Sets the toolbar button's text, image, state and style from the
  // command (only the state when `stateOnly`), then lays the toolband out
  // again when the button's width changed.
  void Refresh(bool stateOnly);
  // The menu this item stands in while that menu is open, else null.
  HMENU OpenParentMenu() const;
  // The text of the item inside a menu: the caption, else the command's.
  std::string MenuItemText() const;
  bool IsToggle() const;
  bool CommandEnabled() const;
  bool ShownChecked() const;

 private:
  int recordedWidth_ = 0;
};

}  // namespace framework
