// Prints a toolbar's control tree for people: one line per control,
// indented by menu depth, with its kind, caption, bound command and the
// flags that decide how the toolband will show it.
#pragma once

#include <ostream>

#include "framework/toolband/ToolBandC.h"

namespace demo {

void PrintControlTree(std::ostream& out, const framework::ToolBandC& toolband);

}  // namespace demo
