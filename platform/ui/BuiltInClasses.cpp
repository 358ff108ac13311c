#include <mutex>

#include "platform/ui/detail/System.h"

namespace platform::ui::detail {

void RegisterToolbarClasses();
void RegisterRebarClass();
void RegisterEditAndStaticClasses();
void RegisterComboBoxClass();

void RegisterBuiltInClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterToolbarClasses();
    RegisterRebarClass();
    RegisterEditAndStaticClasses();
    RegisterComboBoxClass();
  });
}

}  // namespace platform::ui::detail
