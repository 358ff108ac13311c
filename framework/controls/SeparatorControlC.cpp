#include "framework/controls/SeparatorControlC.h"

#include "platform/ui/Menu.h"

namespace framework {

void SeparatorControlC::AddToMenu(HMENU menu, int position) {
  InsertMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

}  // namespace framework
