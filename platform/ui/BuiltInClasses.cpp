#include <mutex>

#include "platform/ui/detail/System.h"

namespace platform::ui::detail {

void RegisterToolbarClasses();

void RegisterBuiltInClasses() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterToolbarClasses(); });
}

}  // namespace platform::ui::detail
