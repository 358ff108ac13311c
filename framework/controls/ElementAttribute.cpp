#include "framework/controls/ElementAttribute.h"

#include "framework/controls/ControlI.h"

namespace framework {

std::string ElementAttribute(const ControlI* control, std::string_view name) {
  if (control == nullptr) return {};
  const platform::XmlElement* element = control->Element();
  return element == nullptr ? std::string() : element->Attribute(name);
}

}  // namespace framework
