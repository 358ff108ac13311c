// The walk that turns layout elements into controls: each child element of
// `parent` becomes a control bound to the command its `command` attribute
// names (or a fresh instance under its `id`), added to `parentMenu` or, at
// the top level, to the toolband. Elements of unknown kind or naming no
// known command are left out with their whole subtree.
#pragma once

#include "platform/xml/XmlDocument.h"

namespace framework {

class CommandContainerI;
class MenuControlC;
class ToolBandI;

// True when every child was walked.
bool BuildControls(ToolBandI& toolband, CommandContainerI& context,
                   const platform::XmlElement& parent, MenuControlC* parentMenu);

}  // namespace framework
