#include <mutex>

#include "platform/ui/Window.h"
#include "platform/ui/detail/ControlClass.h"
#include "platform/ui/detail/System.h"

namespace platform::ui::detail {

void RegisterToolbarClasses();
void RegisterRebarClass();
void RegisterEditAndStaticClasses();
void RegisterComboBoxClass();
void RegisterButtonClass();

void RegisterControlClass(LPCWSTR className, WNDPROC procedure, UINT style) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = style | CS_GLOBALCLASS;
  windowClass.lpfnWndProc = procedure;
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

void RegisterBuiltInClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterToolbarClasses();
    RegisterRebarClass();
    RegisterEditAndStaticClasses();
    RegisterComboBoxClass();
    RegisterButtonClass();
  });
}

}  // namespace platform::ui::detail
