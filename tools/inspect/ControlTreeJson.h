// The JSON form of a loaded toolbar: the load's result, the toolbar's name,
// company and base directory, and every control in document order with its
// kind, command, caption, display and style words, width, image reference,
// tooltip, parameter, hot key and, for menus, children.
#pragma once

#include "framework/toolband/ToolBandC.h"
#include "tools/inspect/JsonWriter.h"

namespace tools {

// `toolband` may be null (the toolbar was given up): name, company and base
// directory are then empty and there are no controls.
void WriteLayoutJson(JsonWriter& json, bool result, const framework::ToolBandC* toolband);

}  // namespace tools
