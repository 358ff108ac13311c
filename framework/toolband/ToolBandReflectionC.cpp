#include "framework/toolband/ToolBandReflectionC.h"

#include <string_view>

#include "framework/toolband/ToolBandC.h"
#include "platform/text/WideChars.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageQueue.h"

namespace framework {

bool ToolBandReflectionC::Create(HWND toolbar) {
  if (!GetClassInfoExW(nullptr, platform::AsWchar(kClassName), nullptr)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &ToolBandReflectionC::WindowProc;
    windowClass.lpszClassName = platform::AsWchar(kClassName);
    RegisterClassExW(&windowClass);
  }
  RECT client{};
  GetClientRect(toolbar, &client);
  window_.Reset(CreateWindowExW(
      0, platform::AsWchar(kClassName), platform::AsWchar(u""), WS_CHILD, client.left, client.top,
      client.right - client.left, client.bottom - client.top, toolbar,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kControlId)), nullptr, nullptr));
  if (!window_) return false;
  SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SendMessageW(toolbar, TB_SETPARENT, reinterpret_cast<WPARAM>(window_.Get()), 0);
  return true;
}

ToolBandC* ToolBandReflectionC::ToolBandOf(HWND window) {
  WCHAR className[64]{};
  if (GetClassNameW(window, className, 64) == 0 ||
      std::u16string_view(platform::AsChar16(className)) != kClassName) {
    return nullptr;
  }
  auto* self = reinterpret_cast<ToolBandReflectionC*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self != nullptr ? &self->toolband_ : nullptr;
}

LRESULT ToolBandReflectionC::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ToolBandC* toolband = ToolBandOf(hwnd);
  if (toolband != nullptr && message == WM_COMMAND) {
    toolband->OnButtonCommand(LOWORD(wParam));
    return 0;
  }
  if (toolband != nullptr && message == WM_NOTIFY && lParam != 0) {
    return toolband->OnToolbarNotify(*reinterpret_cast<NMHDR*>(lParam));
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace framework
