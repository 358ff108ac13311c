#include "platform/ui/Keyboard.h"

#include <algorithm>
#include <vector>

#include "platform/clock/Clock.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/KeyboardHooks.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

std::uintptr_t nextHookHandle = 0x20000;

bool IsExtendedKey(int key) {
  return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE ||
         key == VK_RCONTROL || key == VK_RMENU;
}

int LeftVariant(int key) {
  switch (key) {
    case VK_SHIFT:
      return VK_LSHIFT;
    case VK_CONTROL:
      return VK_LCONTROL;
    case VK_MENU:
      return VK_LMENU;
    default:
      return 0;
  }
}

void PostKeyMessage(int key, bool down) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  auto& keys = Sys().asyncKeyDown;
  const auto index = static_cast<BYTE>(key);
  const bool wasDown = keys[index] != 0;
  keys[index] = down ? 1 : 0;
  if (int left = LeftVariant(key)) keys[static_cast<BYTE>(left)] = keys[index];
  const bool alt = keys[VK_MENU] != 0;
  const bool ctrl = keys[VK_CONTROL] != 0;
  DWORD flags = 1;
  if (IsExtendedKey(key)) flags |= 1u << 24;
  if (alt) flags |= 1u << 29;
  if (wasDown) flags |= 1u << 30;
  if (!down) flags |= 1u << 31;
  const bool system = (alt && !ctrl) || key == VK_MENU;
  const UINT message =
      down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  HWND target = FindWindowLocked(queue->focus) ? queue->focus : nullptr;
  queue->posted.push_back(MSG{target,
                              message,
                              static_cast<WPARAM>(key),
                              static_cast<LPARAM>(flags),
                              platform::GetTickCount(),
                              {}});
  queue->wake.notify_all();
}

}  // namespace

namespace platform::ui::detail {

bool CallKeyboardHooks(int code, WPARAM virtualKey, LPARAM flags) {
  HOOKPROC proc = nullptr;
  {
    auto queue = CurrentQueue();
    Lock lock(Sys().mutex);
    auto hook = std::find_if(queue->hooks.begin(), queue->hooks.end(),
                             [](const HookRecord& h) { return h.kind == WH_KEYBOARD; });
    if (hook == queue->hooks.end()) return false;
    proc = hook->proc;
  }
  return proc(code, virtualKey, flags) != 0;
}

WCHAR CharacterForKey(int virtualKey) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    if (ctrl) return static_cast<WCHAR>(virtualKey - 'A' + 1);
    return static_cast<WCHAR>(shift ? virtualKey : virtualKey - 'A' + 'a');
  }
  if (virtualKey >= '0' && virtualKey <= '9') return static_cast<WCHAR>(virtualKey);
  switch (virtualKey) {
    case VK_SPACE:
      return u' ';
    case VK_RETURN:
      return u'\r';
    case VK_BACK:
      return 0x08;
    case VK_TAB:
      return u'\t';
    case VK_ESCAPE:
      return 0x1B;
    default:
      return 0;
  }
}

}  // namespace platform::ui::detail

HHOOK SetWindowsHookExW(int hookKind, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (hookKind != WH_KEYBOARD || !proc || threadId == 0) {
    ::SetLastError(kErrorInvalidParameter);
    return nullptr;
  }
  if (threadId == GetCurrentThreadId()) CurrentQueue();
  Lock lock(Sys().mutex);
  auto queue = FindQueueLocked(threadId);
  if (!queue) {
    ::SetLastError(ERROR_INVALID_THREAD_ID);
    return nullptr;
  }
  auto handle = reinterpret_cast<HHOOK>(nextHookHandle);
  nextHookHandle += 4;
  queue->hooks.insert(queue->hooks.begin(), HookRecord{handle, hookKind, proc});
  return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  Lock lock(Sys().mutex);
  for (auto& [id, queue] : Sys().threads) {
    if (std::erase_if(queue->hooks, [&](const HookRecord& h) { return h.handle == hook; }) > 0)
      return TRUE;
  }
  ::SetLastError(ERROR_INVALID_HOOK_HANDLE);
  return FALSE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  HOOKPROC next = nullptr;
  {
    Lock lock(Sys().mutex);
    for (auto& [id, queue] : Sys().threads) {
      auto it = std::find_if(queue->hooks.begin(), queue->hooks.end(),
                             [&](const HookRecord& h) { return h.handle == hook; });
      if (it == queue->hooks.end()) continue;
      const int kind = it->kind;
      auto after = std::find_if(it + 1, queue->hooks.end(),
                                [&](const HookRecord& h) { return h.kind == kind; });
      if (after != queue->hooks.end()) next = after->proc;
      break;
    }
  }
  return next ? next(code, wParam, lParam) : 0;
}

SHORT GetKeyState(int virtualKey) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  const BYTE state = queue->keyState[static_cast<BYTE>(virtualKey)];
  return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
  Lock lock(Sys().mutex);
  return Sys().asyncKeyDown[static_cast<BYTE>(virtualKey)] ? static_cast<SHORT>(0x8000) : 0;
}

namespace platform::ui {

void KeyDown(int virtualKey) { PostKeyMessage(virtualKey, true); }
void KeyUp(int virtualKey) { PostKeyMessage(virtualKey, false); }

void PressKey(int virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void PressChord(std::initializer_list<int> modifiers, int virtualKey) {
  for (int modifier : modifiers) KeyDown(modifier);
  PressKey(virtualKey);
  std::vector<int> reversed(modifiers);
  std::reverse(reversed.begin(), reversed.end());
  for (int modifier : reversed) KeyUp(modifier);
}

void TypeCharacters(std::u16string_view text) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  HWND target = FindWindowLocked(queue->focus) ? queue->focus : nullptr;
  for (WCHAR c : text)
    queue->posted.push_back(MSG{target, WM_CHAR, c, 1, platform::GetTickCount(), {}});
  queue->wake.notify_all();
}

void ReleaseAllKeys() {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  std::fill(std::begin(Sys().asyncKeyDown), std::end(Sys().asyncKeyDown), BYTE{0});
  std::fill(std::begin(queue->keyState), std::end(queue->keyState), BYTE{0});
}

}  // namespace platform::ui
