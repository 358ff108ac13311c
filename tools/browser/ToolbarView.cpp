#include "tools/browser/ToolbarView.h"

#include "framework/command/CommandI.h"
#include "framework/controls/ControlCollectionI.h"
#include "framework/controls/ControlStyle.h"
#include "framework/toolband/ToolBandReflectionC.h"
#include "platform/text/CodePage.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "tools/inspect/ControlNames.h"

namespace browserhost {
namespace {

// Captions of the era carry padding blanks ("  Login  ").
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

void CollectToolBands(HWND parent, std::vector<framework::ToolBandC*>& found) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (framework::ToolBandC* toolband = framework::ToolBandReflectionC::ToolBandOf(child)) {
      found.push_back(toolband);
      continue;
    }
    CollectToolBands(child, found);
  }
}

const std::vector<std::unique_ptr<framework::ControlI>>* ItemsOf(
    const framework::ControlI& control) {
  const auto* items = dynamic_cast<const framework::ControlCollectionI*>(&control);
  return items != nullptr ? &items->Controls() : nullptr;
}

// The control's own window on the toolbar: created with its id as the
// child window id.
HWND ControlWindow(HWND toolbar, int id) {
  for (HWND child = GetWindow(toolbar, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

std::string ListEntry(HWND combo, int index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::u16string entry(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(entry.data()));
  entry.resize(static_cast<std::size_t>(length));
  return platform::WideToUtf8(entry);
}

void ReadSearchBox(HWND combo, ControlState& state) {
  state.isSearchBox = true;
  state.text = platform::WideToUtf8(platform::ui::WindowText(combo));
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (int index = 0; index < count; ++index) state.items.push_back(ListEntry(combo, index));
}

ControlState ReadItem(framework::ControlI& control) {
  ControlState state;
  state.command = tools::CommandName(control);
  state.caption = control.DisplayText();
  framework::CommandI* command = control.Command();
  state.shown = (control.StyleWord() & framework::style::kDisabled) == 0;
  state.enabled = command != nullptr && command->IsEnabled();
  state.checked = command != nullptr && command->Checked() != 0;
  if (const auto* items = ItemsOf(control); items != nullptr && !items->empty()) {
    state.isMenu = true;
    for (const auto& item : *items) state.children.push_back(ReadItem(*item));
  }
  return state;
}

}  // namespace

std::vector<framework::ToolBandC*> ToolBandsIn(HWND frame) {
  std::vector<framework::ToolBandC*> found;
  CollectToolBands(frame, found);
  return found;
}

std::vector<ControlState> ReadControls(const framework::ToolBandC& toolband) {
  const HWND toolbar = toolband.ToolbarWindow();
  std::vector<ControlState> controls;
  for (const auto& control : toolband.Controls()) {
    ControlState state = ReadItem(*control);
    state.isMenu = state.isMenu || control->Kind() == framework::ControlKind::kMenu;
    // What the user sees decides: the button is on the toolbar or not, and
    // its state is what the toolbar draws.
    const int id = control->ControlId();
    state.shown = SendMessageW(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0) >= 0;
    if (state.shown) {
      const LRESULT drawn = SendMessageW(toolbar, TB_GETSTATE, static_cast<WPARAM>(id), 0);
      state.shown = (drawn & TBSTATE_HIDDEN) == 0;
      state.enabled = (drawn & TBSTATE_ENABLED) != 0;
      state.checked = state.checked || (drawn & TBSTATE_CHECKED) != 0;
    }
    if (control->Kind() == framework::ControlKind::kComboBox) {
      if (HWND combo = ControlWindow(toolbar, id)) ReadSearchBox(combo, state);
    }
    controls.push_back(std::move(state));
  }
  return controls;
}

framework::ControlI* FindTopLevelControl(const framework::ToolBandC& toolband,
                                         std::string_view name) {
  for (const auto& control : toolband.Controls()) {
    if (control->Command() != nullptr && tools::CommandName(*control) == name) {
      return control.get();
    }
  }
  for (const auto& control : toolband.Controls()) {
    if (!name.empty() && Trimmed(control->DisplayText()) == name) return control.get();
  }
  return nullptr;
}

framework::ControlI* FindMenuItem(framework::ControlI& menu, std::string_view name) {
  const auto* items = ItemsOf(menu);
  if (items == nullptr) return nullptr;
  for (const auto& item : *items) {
    if (!name.empty() && (Trimmed(item->DisplayText()) == name ||
                          (item->Command() != nullptr && tools::CommandName(*item) == name))) {
      return item.get();
    }
    if (framework::ControlI* inner = FindMenuItem(*item, name)) return inner;
  }
  return nullptr;
}

HWND SearchField(const framework::ToolBandC& toolband) {
  const HWND toolbar = toolband.ToolbarWindow();
  for (const auto& control : toolband.Controls()) {
    const framework::ControlKind kind = control->Kind();
    if (kind != framework::ControlKind::kComboBox && kind != framework::ControlKind::kEdit) {
      continue;
    }
    HWND window = ControlWindow(toolbar, control->ControlId());
    if (window == nullptr || !IsWindowVisible(window)) continue;
    if (kind == framework::ControlKind::kEdit) return window;
    if (HWND edit = FindWindowExW(window, nullptr, WC_EDITW, nullptr)) return edit;
  }
  return nullptr;
}

}  // namespace browserhost
