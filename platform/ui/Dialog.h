// Dialog boxes of the toolkit stand-in, shaped like the Win32 functions of
// the same names: in-memory dialog templates (DialogTemplate.h writes them),
// the modal dialog box, its items, dialog units and the message box.
//
// The dialog window is of the dialog class ("#32770"). Its procedure hands
// every message to the dialog procedure first, as DefDlgProc does: a
// dialog procedure that returns TRUE has handled it (for WM_INITDIALOG and
// the WM_CTLCOLOR* messages its return value is the answer); otherwise the
// default handling applies: WM_CLOSE becomes WM_COMMAND IDCANCEL, the
// background is the WM_CTLCOLORDLG brush (the button face when the dialog
// procedure gives none), and WM_PRINTCLIENT with PRF_ERASEBKGND fills it
// before the dialog procedure paints.
//
// A modal loop cannot run inside this process's tests and tools, so the user
// is played by a responder: DialogBoxIndirectParamW creates the dialog and
// its controls, sends WM_INITDIALOG (and, when the procedure asks for it,
// gives the focus to the control WM_INITDIALOG names), shows and activates
// it, and then hands the live dialog to the responder installed for the
// calling scope. The responder acts on it as a person would, with the
// functions below, until the dialog procedure calls EndDialog. When it
// returns with the dialog still open, or when there is no responder, the
// dialog is closed as its close box closes it (WM_CLOSE, so IDCANCEL), and
// a dialog procedure that ignores even that gets IDCANCEL anyway.
//
// Message boxes are recorded (owner, text, caption, type) and answered IDOK.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/ui/Dialog_linux.h"
#endif

namespace platform::ui {

// Acts on the live dialog on the dialog's thread.
using DialogResponder = std::function<void(HWND dialog)>;

// Installs a responder, process-wide, for its lifetime and puts the previous
// one back: modal dialogs run on window threads the installer may not own.
class ScopedDialogResponder {
 public:
  explicit ScopedDialogResponder(DialogResponder responder);
  ~ScopedDialogResponder();
  ScopedDialogResponder(const ScopedDialogResponder&) = delete;
  ScopedDialogResponder& operator=(const ScopedDialogResponder&) = delete;

 private:
  DialogResponder previous_;
};

// What a person does to a dialog. Each call returns false when the dialog
// has no such control; messages the action posts are dispatched before it
// returns, as the modal loop would dispatch them.
// Clicks into the control: it takes the focus.
bool FocusDialogItem(HWND dialog, int id);
// Focuses the control and types the characters into it, where its caret is.
bool TypeIntoDialogItem(HWND dialog, int id, std::u16string_view text);
// Focuses the edit and selects all its text (a triple click), so what is
// typed next replaces it.
bool SelectDialogItemText(HWND dialog, int id);
// Opens the combo box's list and clicks the entry at `index`.
bool ChooseDialogListEntry(HWND dialog, int id, int index);
// Presses and releases the mouse over the button.
bool ClickDialogButton(HWND dialog, int id);
// True once EndDialog has been called for the dialog.
bool IsDialogEnded(HWND dialog);

struct MessageBoxRecord {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT type;
};
// The message boxes shown so far, oldest first; Take also forgets them.
std::vector<MessageBoxRecord> TakeMessageBoxes();

}  // namespace platform::ui
