// Kinds of controls, numbered as the layout document's element names are
// listed ("separator" is 0 ... "menu" is 6), so an element's kind and its
// control's kind are the same number.
#pragma once

namespace framework {

enum class ControlKind : int {
  kSeparator = 0,
  kLabel = 1,
  kButton = 2,
  kEdit = 3,
  kReadOnly = 4,
  kComboBox = 5,
  kMenu = 6,
};

}  // namespace framework
