// A gap between items, on the toolbar or in a menu; bound to no command and
// deaf to every notice.
#pragma once

#include "framework/controls/ControlC.h"

namespace framework {

class SeparatorControlC : public ControlC {
 public:
  SeparatorControlC() : ControlC(nullptr, {}) {}
  ControlKind Kind() const override { return ControlKind::kSeparator; }
  bool IsSeparator() const override { return true; }
  void AddToMenu(HMENU menu, int position) override;
};

}  // namespace framework
