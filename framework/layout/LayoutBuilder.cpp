#include "framework/layout/LayoutBuilder.h"

#include <memory>
#include <string>

#include "framework/command/CommandC.h"
#include "framework/command/CommandContainerI.h"
#include "framework/controls/ControlKinds.h"
#include "framework/controls/ControlStyle.h"
#include "framework/layout/LayoutWords.h"
#include "framework/layout/ToolbandNamespace.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/trace/Trace.h"

namespace framework {

namespace {

constexpr const char* kDefaultCommand = "ToolBand.Nop";

CommandI* ResolveCommand(CommandContainerI& context, const platform::XmlElement& element) {
  std::string name = element.Attribute("command");
  if (name.empty()) name = kDefaultCommand;
  const std::string id = element.Attribute("id");
  if (!id.empty()) {
    if (CommandC* instance = context.CreateCommandInstance(name, id)) return instance;
  }
  return context.FindCommand(name);
}

std::unique_ptr<ControlC> CreateControl(ControlKind kind, CommandI* command,
                                        const platform::XmlElement& element) {
  switch (kind) {
    case ControlKind::kLabel:
      return std::make_unique<LabelControlC>(command, element.Attribute("caption"));
    case ControlKind::kButton:
      return std::make_unique<ButtonControlC>(command, element.Attribute("caption"));
    case ControlKind::kEdit:
      return std::make_unique<EditControlC>(command);
    case ControlKind::kReadOnly:
      return std::make_unique<ReadOnlyControlC>(command);
    case ControlKind::kComboBox:
      return std::make_unique<ComboBoxControlC>(command, element.Attribute("list"));
    case ControlKind::kMenu:
      return std::make_unique<MenuControlC>(command, element.Attribute("caption"));
    case ControlKind::kSeparator:
      break;
  }
  return nullptr;
}

void SetImage(ControlC& control, const ImageReference& image) {
  if (const auto* resource = std::get_if<ImageResourceId>(&image)) {
    control.SetImageResourceId(resource->id);
  } else if (const auto* file = std::get_if<ImageFileName>(&image)) {
    control.SetImageFileName(file->name);
  } else {
    control.SetImageIndex(std::get<ImageIndex>(image).index);
  }
}

void Add(ToolBandI& toolband, MenuControlC* parentMenu, std::unique_ptr<ControlC> control) {
  if (parentMenu != nullptr) {
    parentMenu->AddControl(std::move(control));
  } else {
    toolband.TopLevelControls().AddControl(std::move(control));
  }
}

}  // namespace

bool BuildControls(ToolBandI& toolband, CommandContainerI& context,
                   const platform::XmlElement& parent, MenuControlC* parentMenu) {
  platform::TraceScope trace("LayoutC::BuildControls");
  int builtAtThisLevel = 0;
  for (const platform::XmlElement& element : parent.SelectNodes(kLayoutChildrenQuery)) {
    const int kindNumber = ElementKindOf(element.Name());
    if (kindNumber < 0) continue;
    const auto kind = static_cast<ControlKind>(kindNumber);

    if (kind == ControlKind::kSeparator) {
      auto separator = std::make_unique<SeparatorControlC>();
      separator->SetStyleBits(StyleWordOf(element, false));
      Add(toolband, parentMenu, std::move(separator));
      continue;
    }

    CommandI* command = ResolveCommand(context, element);
    if (command == nullptr) continue;
    std::unique_ptr<ControlC> control = CreateControl(kind, command, element);
    if (control == nullptr) continue;

    control->SetDisplayWord(DisplayWordOf(element));
    control->SetStyleBits(StyleWordOf(element, parentMenu == nullptr && builtAtThisLevel == 0));
    control->SetWidth(ReadInteger(element.Attribute("width")));
    SetImage(*control, ImageReferenceOf(element, parentMenu != nullptr));
    control->SetTooltipText(element.Attribute("tooltip"));
    control->SetParameterText(element.Attribute("parameter"));
    control->SetHotKey(element.Attribute("hotkey"));
    control->SetElement(element);

    auto* menu = kind == ControlKind::kMenu ? static_cast<MenuControlC*>(control.get()) : nullptr;
    Add(toolband, parentMenu, std::move(control));
    if (menu != nullptr && !BuildControls(toolband, context, element, menu)) return false;
    ++builtAtThisLevel;
  }
  return true;
}

}  // namespace framework
