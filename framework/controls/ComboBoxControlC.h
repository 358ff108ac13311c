// The search box: a combo box on the toolbar that shows its command's text
// and items, lets the user type or pick an entry and hands the result to
// the command (choose text). Editable by default, a fixed list with the
// style word's fixed-list bit.
#pragma once

#include <string>

#include "framework/command/TypedTextSourceI.h"
#include "framework/controls/ComboBoxBaseC.h"
#include "framework/controls/ComboBoxEditC.h"
#include "framework/controls/ControlC.h"

namespace framework {

// The text a search box shows until the user first focuses it.
inline constexpr const char* kSearchPromptText = "Enter search term...";

class ComboBoxControlC : public ControlC, private TypedTextSourceI {
 public:
  // `list` is the element's "##"-separated initial item text; its items
  // are appended to the command's items.
  ComboBoxControlC(CommandI* command, std::string list);
  ~ComboBoxControlC() override;
  ControlKind Kind() const override { return ControlKind::kComboBox; }
  const std::string& List() const { return list_; }

  bool CreateControlWindow(HWND parent, int id) override;
  void Place(int x, int width) override;
  void UpdateVisibility() override;
  bool Activate() override;
  bool HasFocus() const override;
  bool HasOwnWindow() const override { return true; }

  void OnTextChanged() override;
  void OnSelectionChanged() override;

  void OnWindowCommand(WORD notification) override;
  void OnWindowDrawItem(const DRAWITEMSTRUCT& draw) override;
  void OnWindowMeasureItem(MEASUREITEMSTRUCT& measure) override;

  HWND Window() const { return base_.Window(); }
  HWND EditField() const { return base_.EditField(); }

  // Keys the box's parts pass on; true when the key was used up.
  bool OnEditFieldEnter();
  bool OnDownArrow();
  bool OnFixedListEnter();

 private:
  std::string TypedText() const override;
  // What the user typed becomes the command's own text before the box
  // changes or loses its window text.
  void SettleTypedText();

  void OnFocusGained();
  void OnTyping();
  void OnListOpening();
  void OnCloseUp();
  void OnSelectionEnded();
  void OnSelectionCancelled();
  void Commit(const std::string& text, bool keepFocus);
  bool ListOpen() const;
  std::string ItemText(int index) const;
  std::u16string ItemWideText(int index) const;
  std::u16string WindowText() const;

  std::string list_;
  ComboBoxBaseC base_{*this};
  ComboBoxEditC edit_{*this};
};

}  // namespace framework
