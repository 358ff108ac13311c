#include "tools/inspect/ControlTreeJson.h"

#include "framework/command/CommandC.h"
#include "framework/controls/ControlKinds.h"
#include "framework/controls/ControlStyle.h"
#include "framework/layout/LayoutWords.h"

namespace tools {

namespace {

// The name the control's command is registered under: a command made for
// an element's `id` is registered under that id. Plug-in commands need not
// derive from CommandC, so their element's attribute names them.
void WriteCommand(JsonWriter& json, const framework::ControlI& control) {
  const framework::CommandI* command = control.Command();
  if (command == nullptr) {
    json.Null();
  } else if (const auto* named = dynamic_cast<const framework::CommandC*>(command)) {
    json.AnsiString(named->Name());
  } else {
    const platform::XmlElement* element = control.Element();
    std::string name = element == nullptr ? std::string() : element->Attribute("command");
    json.AnsiString(name.empty() ? "ToolBand.Nop" : name);
  }
}

void WriteImage(JsonWriter& json, const framework::ControlC& control) {
  json.BeginObject();
  if (!control.ImageFileName().empty()) {
    json.Key("file");
    json.AnsiString(control.ImageFileName());
  } else if (control.ImageIndex() == framework::kNoImageIndex) {
    json.Key("index");
    json.Integer(control.ImageIndex());
  } else {
    json.Key("resource");
    json.Integer(control.ImageResourceId());
  }
  json.EndObject();
}

void WriteControls(JsonWriter& json,
                   const std::vector<std::unique_ptr<framework::ControlI>>& controls) {
  json.BeginArray();
  for (const auto& item : controls) {
    const framework::ControlC& control = *item->AsControl();
    json.BeginObject();
    json.Key("kind");
    json.Utf8String(framework::ElementNameOfKind(static_cast<int>(control.Kind())));
    json.Key("command");
    WriteCommand(json, control);
    json.Key("caption");
    json.AnsiString(control.Caption());
    json.Key("display");
    json.Integer(control.DisplayWord());
    json.Key("style");
    json.Integer(control.StyleWord());
    json.Key("width");
    json.Integer(control.Width());
    json.Key("image");
    WriteImage(json, control);
    json.Key("tooltip");
    json.AnsiString(control.TooltipText());
    json.Key("parameter");
    json.AnsiString(control.ParameterText());
    json.Key("hotkey");
    json.AnsiString(control.HotKeyText());
    if (const auto* menu = dynamic_cast<const framework::MenuControlC*>(&control)) {
      json.Key("children");
      WriteControls(json, menu->Controls());
    }
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace

void WriteLayoutJson(JsonWriter& json, bool result, const framework::ToolBandC* toolband) {
  static const std::vector<std::unique_ptr<framework::ControlI>> kNoControls;
  json.BeginObject();
  json.Key("result");
  json.Boolean(result);
  json.Key("name");
  json.AnsiString(toolband ? toolband->Name() : std::string());
  json.Key("company");
  json.AnsiString(toolband ? toolband->Company() : std::string());
  json.Key("baseDirectory");
  json.AnsiString(toolband ? toolband->BaseDirectory() : std::string());
  json.Key("controls");
  WriteControls(json, toolband ? toolband->Controls() : kNoControls);
  json.EndObject();
}

}  // namespace tools
