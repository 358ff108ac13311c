// Commands read further attributes ("parameter", "url", ...) from the layout
// element of the control that fired them. A control without an element, or
// no control at all, reads as empty text, like a missing attribute.
#pragma once

#include <string>
#include <string_view>

namespace framework {

class ControlI;

std::string ElementAttribute(const ControlI* control, std::string_view name);

}  // namespace framework
