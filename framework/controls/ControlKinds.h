// The seven kinds of controls a layout element can become. For now they
// carry the layout's state only; their windows (static text, edit fields,
// combo box, toolbar buttons and menus) come with the toolband window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/ControlC.h"
#include "framework/controls/ControlCollectionI.h"

namespace framework {

// A gap between items; bound to no command.
class SeparatorControlC : public ControlC {
 public:
  SeparatorControlC() : ControlC(nullptr, {}) {}
  ControlKind Kind() const override { return ControlKind::kSeparator; }
};

class LabelControlC : public ControlC {
 public:
  LabelControlC(CommandI* command, std::string caption) : ControlC(command, std::move(caption)) {}
  ControlKind Kind() const override { return ControlKind::kLabel; }
};

class ButtonControlC : public ControlC {
 public:
  ButtonControlC(CommandI* command, std::string caption)
      : ControlC(command, std::move(caption)) {}
  ControlKind Kind() const override { return ControlKind::kButton; }
};

class EditControlC : public ControlC {
 public:
  explicit EditControlC(CommandI* command) : ControlC(command, {}) {}
  ControlKind Kind() const override { return ControlKind::kEdit; }
};

class ReadOnlyControlC : public ControlC {
 public:
  explicit ReadOnlyControlC(CommandI* command) : ControlC(command, {}) {}
  ControlKind Kind() const override { return ControlKind::kReadOnly; }
};

class ComboBoxControlC : public ControlC {
 public:
  // `list` is the element's "##"-separated initial item text.
  ComboBoxControlC(CommandI* command, std::string list)
      : ControlC(command, {}), list_(std::move(list)) {}
  ControlKind Kind() const override { return ControlKind::kComboBox; }
  const std::string& List() const { return list_; }

 private:
  std::string list_;
};

// A drop-down menu on the toolbar, or a submenu inside another menu; owns
// its items in document order.
class MenuControlC : public ControlC, public ControlCollectionI {
 public:
  MenuControlC(CommandI* command, std::string caption) : ControlC(command, std::move(caption)) {}
  ControlKind Kind() const override { return ControlKind::kMenu; }

  void AddControl(std::unique_ptr<ControlI> control) override;
  const std::vector<std::unique_ptr<ControlI>>& Controls() const override;

 private:
  std::vector<std::unique_ptr<ControlI>> children_;
};

}  // namespace framework
