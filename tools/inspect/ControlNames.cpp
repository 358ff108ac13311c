#include "tools/inspect/ControlNames.h"

#include "framework/command/CommandC.h"
#include "framework/controls/ControlCollectionI.h"

namespace tools {

std::string CommandName(const framework::ControlI& control) {
  const framework::CommandI* command = control.Command();
  if (command == nullptr) return {};
  if (const auto* named = dynamic_cast<const framework::CommandC*>(command)) return named->Name();
  const platform::XmlElement* element = control.Element();
  std::string name = element == nullptr ? std::string() : element->Attribute("command");
  return name.empty() ? "ToolBand.Nop" : name;
}

framework::ControlI* FindControlByCommandName(const framework::ToolBandC& toolband,
                                              std::string_view name) {
  for (const auto& control : toolband.Controls()) {
    if (control->Command() != nullptr && CommandName(*control) == name) return control.get();
  }
  return nullptr;
}

namespace {

framework::ControlI* FindItemIn(const framework::ControlI& menu, std::string_view name) {
  const auto* items = dynamic_cast<const framework::ControlCollectionI*>(&menu);
  if (items == nullptr) return nullptr;
  for (const auto& item : items->Controls()) {
    if (item->Command() != nullptr && CommandName(*item) == name) return item.get();
    if (framework::ControlI* inner = FindItemIn(*item, name)) return inner;
  }
  return nullptr;
}

}  // namespace

MenuItemControl FindMenuItemByCommandName(const framework::ToolBandC& toolband,
                                          std::string_view name) {
  for (const auto& control : toolband.Controls()) {
    if (framework::ControlI* item = FindItemIn(*control, name)) return {item, control.get()};
  }
  return {};
}

}  // namespace tools
