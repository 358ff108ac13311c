// An edit field on the toolbar: the user types a text and presses Enter to
// hand it to the command (choose text); the command's text shows in it.
// The field's window is taken over so Enter neither beeps nor inserts a
// line and focus changes reach the toolband.
#pragma once

#include "framework/controls/ControlC.h"
#include "platform/ui/Window.h"

namespace framework {

class EditControlC : public ControlC {
 public:
  explicit EditControlC(CommandI* command) : ControlC(command, {}) {}
  ~EditControlC() override;
  ControlKind Kind() const override { return ControlKind::kEdit; }

  bool CreateControlWindow(HWND parent, int id) override;
  void Place(int x, int width) override;
  void UpdateVisibility() override;
  bool Activate() override;
  bool HasFocus() const override;
  bool HasOwnWindow() const override { return true; }
  void OnTextChanged() override;
  void OnWindowCommand(WORD notification) override;

  HWND Window() const { return window_.Get(); }

 protected:
  virtual DWORD WindowStyle() const;
  // Enter in the field: the text goes to the command.
  virtual void OnEnter();
  // The mouse cursor is being set over the field (WM_SETCURSOR).
  virtual void OnCursorOver() {}

 private:
  static LRESULT CALLBACK FieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

  platform::ui::UniqueWindow window_;
};

// The same field, read-only: it shows the command's text and takes no input.
// It shows no caret either: the edit window gives itself one when it gets
// the focus, and the field takes it away again as soon as the mouse is over
// it, since a blinking caret would invite typing where none is possible.
class ReadOnlyControlC : public EditControlC {
 public:
  explicit ReadOnlyControlC(CommandI* command) : EditControlC(command) {}
  ControlKind Kind() const override { return ControlKind::kReadOnly; }

  void Place(int x, int width) override;
  bool Activate() override { return false; }
  void OnTextChanged() override;

 protected:
  DWORD WindowStyle() const override;
  void OnEnter() override {}
  void OnCursorOver() override;
};

}  // namespace framework
