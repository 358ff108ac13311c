#include "framework/toolband/ToolBandReflectionC.h"

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

LRESULT ToolBandReflectionC::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ToolBandReflectionC*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr && message == WM_COMMAND) {
    self->toolband_.OnButtonCommand(LOWORD(wParam));
    return 0;
  }
  if (self != nullptr && message == WM_NOTIFY && lParam != 0) {
    return self->toolband_.OnToolbarNotify(*reinterpret_cast<NMHDR*>(lParam));
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace framework
