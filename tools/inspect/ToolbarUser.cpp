#include "tools/inspect/ToolbarUser.h"

#include "framework/controls/ComboBoxControlC.h"
#include "framework/controls/EditControlC.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/Window.h"

namespace tools {

namespace {

// The window a person types into; read-only fields and fixed lists have none.
HWND TypingField(framework::ControlI& control) {
  if (auto* combo = dynamic_cast<framework::ComboBoxControlC*>(&control)) return combo->EditField();
  if (control.Kind() != framework::ControlKind::kEdit) return nullptr;
  if (auto* edit = dynamic_cast<framework::EditControlC*>(&control)) return edit->Window();
  return nullptr;
}

// A button of the toolbar, or of the small toolbar the leading menu sits on.
bool ClickAnyToolbarButton(HWND toolbar, int id) {
  if (platform::ui::ClickToolbarButton(toolbar, id)) return true;
  for (HWND child = FindWindowExW(toolbar, nullptr, TOOLBARCLASSNAMEW, nullptr); child != nullptr;
       child = FindWindowExW(toolbar, child, TOOLBARCLASSNAMEW, nullptr)) {
    if (platform::ui::ClickToolbarButton(child, id)) return true;
  }
  return false;
}

}  // namespace

bool TypeAndCommit(framework::ControlI& control, std::u16string_view text) {
  HWND field = TypingField(control);
  if (field == nullptr || !IsWindowEnabled(field)) return false;
  SetFocus(field);
  // What the field showed is replaced, as after a click that selects it all.
  SendMessageW(field, EM_SETSEL, 0, -1);
  platform::ui::TypeCharacters(text);
  platform::ui::PressKey(VK_RETURN);
  platform::ui::RunUntilIdle();
  return true;
}

bool Click(const framework::ToolBandC& toolband, framework::ControlI& control) {
  if (control.HasOwnWindow()) {
    control.Execute();
    platform::ui::RunUntilIdle();
    return true;
  }
  const bool clicked =
      platform::ui::ClickToolbarButton(toolband.ToolbarWindow(), control.ControlId());
  platform::ui::RunUntilIdle();
  return clicked;
}

bool ChooseMenuItem(const framework::ToolBandC& toolband, const MenuItemControl& choice) {
  platform::ui::ScriptMenuChoice(static_cast<UINT>(choice.item->ControlId()));
  const bool opened = ClickAnyToolbarButton(toolband.ToolbarWindow(), choice.menu->ControlId());
  // A menu that did not open must not leave its choice to the next one.
  platform::ui::ClearMenuScript();
  platform::ui::RunUntilIdle();
  return opened;
}

}  // namespace tools
