#include <mutex>

#include "platform/ui/detail/System.h"

namespace platform::ui::detail {

void RegisterBuiltInClasses() {
  static std::once_flag once;
  std::call_once(once, [] {});
}

}  // namespace platform::ui::detail
