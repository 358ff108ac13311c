// The layout dialog: lets the user switch the toolbar's top-level items on
// and off. It lists the items of the toolband's kept layout document with a
// check box each (checked = shown). OK writes the choices into the kept
// document as `disabled` attributes and saves the whole document as the
// stored copy, so the next layout load merges them; Cancel changes nothing.
//
// The dialog is modal, and a modal loop cannot run inside this process's
// tests or tools, so the user's part is played by a responder: whoever
// stands in for the user installs one for a scope. With no responder the
// dialog answers as if cancelled, so nothing changes behind anyone's back.
//
// Lives on the browser window's thread, like the toolband it edits.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "framework/command/HostData.h"
#include "framework/layoutdialog/LayoutItems.h"

namespace framework {

class CommandContainerI;
class ToolBandI;

enum class LayoutDialogResult { kUnchanged, kChanged };

// Receives the owner window and the items with their current states;
// returns the new shown state of every item (OK) or nullopt (Cancel).
using LayoutDialogResponder = std::function<std::optional<std::vector<bool>>(
    HostData owner, const std::vector<LayoutItem>& items)>;

// Installs a responder for its lifetime and puts the previous one back.
class ScopedLayoutDialogResponder {
 public:
  explicit ScopedLayoutDialogResponder(LayoutDialogResponder responder);
  ~ScopedLayoutDialogResponder();
  ScopedLayoutDialogResponder(const ScopedLayoutDialogResponder&) = delete;
  ScopedLayoutDialogResponder& operator=(const ScopedLayoutDialogResponder&) = delete;

 private:
  LayoutDialogResponder previous_;
};

// kChanged only when the choices reached the stored copy: that is what the
// caller reads back to switch the controls.
LayoutDialogResult ShowLayoutDialog(HostData owner, ToolBandI& toolband,
                                    CommandContainerI& context);

}  // namespace framework
