// Something that holds an ordered list of controls: the toolband (its
// top-level items) and menu controls (their items). The collection owns what
// it is given.
#pragma once

#include <memory>
#include <vector>

namespace framework {

class ControlI;

class ControlCollectionI {
 public:
  virtual ~ControlCollectionI() = default;
  // Appends the control at the end, keeping document order.
  virtual void AddControl(std::unique_ptr<ControlI> control) = 0;
  virtual const std::vector<std::unique_ptr<ControlI>>& Controls() const = 0;
};

}  // namespace framework
