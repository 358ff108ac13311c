// A label: a static text window over its toolbar button, showing the
// command's text, or its own caption while the command has none. It never
// acts on clicks or hot keys.
#pragma once

#include "framework/controls/ControlC.h"
#include "platform/ui/Window.h"

namespace framework {

class LabelControlC : public ControlC {
 public:
  // Static windows of labels all carry this id; nothing routes by it.
  static constexpr int kLabelWindowId = 65535;

  LabelControlC(CommandI* command, std::string caption) : ControlC(command, std::move(caption)) {}
  ControlKind Kind() const override { return ControlKind::kLabel; }

  bool CreateControlWindow(HWND parent, int id) override;
  void Place(int x, int width) override;
  bool HasOwnWindow() const override { return true; }
  void OnTextChanged() override;

  // The text the label shows.
  std::string LabelText() const;
  // The width the label needs for its text (the layout's width when given).
  int NeededWidth() const;
  HWND Window() const { return window_.Get(); }

 private:
  platform::ui::UniqueWindow window_;
};

}  // namespace framework
