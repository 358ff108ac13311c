#include "tools/inspect/ControlNames.h"

#include "framework/command/CommandC.h"

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

}  // namespace tools
