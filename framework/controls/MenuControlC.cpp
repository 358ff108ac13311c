#include "framework/controls/ControlKinds.h"

namespace framework {

void MenuControlC::AddControl(std::unique_ptr<ControlI> control) {
  children_.push_back(std::move(control));
}

const std::vector<std::unique_ptr<ControlI>>& MenuControlC::Controls() const { return children_; }

}  // namespace framework
