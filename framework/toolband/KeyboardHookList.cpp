#include "framework/toolband/KeyboardHookList.h"

#include <forward_list>
#include <mutex>
#include <optional>

#include "framework/context/ToolBandContextC.h"
#include "platform/ui/Keyboard.h"

namespace framework {

namespace {

struct HookNode {
  DWORD threadId;
  ToolBandContextC* context;
  HHOOK hook;
};

// Each thread adds and removes only its own node, but the links are shared
// by all threads, so the list is guarded. The lock is never held while a
// hook calls into a toolband.
struct HookList {
  std::mutex mutex;
  std::forward_list<HookNode> nodes;
};

HookList& Hooks() {
  static HookList list;
  return list;
}

constexpr LPARAM kAltDownFlag = LPARAM{1} << 29;
constexpr LPARAM kKeyReleasedFlag = LPARAM{1} << 31;

std::optional<HookNode> NodeOfThisThread() {
  HookList& hooks = Hooks();
  std::lock_guard lock(hooks.mutex);
  const DWORD thread = GetCurrentThreadId();
  for (const HookNode& node : hooks.nodes) {
    if (node.threadId == thread) return node;
  }
  return std::nullopt;
}

LRESULT CALLBACK ToolbarKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  const std::optional<HookNode> node = NodeOfThisThread();
  if (node && code == HC_ACTION) {
    // A hot key acts when its key goes down; the release of the same key
    // must not run the command a second time.
    if ((lParam & kKeyReleasedFlag) == 0) {
      const bool alt = (lParam & kAltDownFlag) != 0;
      const bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
      const bool shift = GetAsyncKeyState(VK_SHIFT) < 0;
      if (ToolBandC* toolband = node->context->ToolBand()) {
        toolband->DispatchHotKey(alt, ctrl, shift, static_cast<int>(wParam));
      }
    }
    node->context->KeyboardNotice(code, static_cast<int>(wParam), static_cast<int>(lParam));
  }
  return CallNextHookEx(node ? node->hook : nullptr, code, wParam, lParam);
}

}  // namespace

bool InstallKeyboardHook(ToolBandContextC* context) {
  if (NodeOfThisThread()) return true;
  const DWORD thread = GetCurrentThreadId();
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD, &ToolbarKeyboardProc, nullptr, thread);
  if (hook == nullptr) return false;
  HookList& hooks = Hooks();
  std::lock_guard lock(hooks.mutex);
  hooks.nodes.push_front(HookNode{thread, context, hook});
  return true;
}

void RemoveKeyboardHook(const ToolBandContextC* context) {
  HHOOK hook = nullptr;
  {
    HookList& hooks = Hooks();
    std::lock_guard lock(hooks.mutex);
    const DWORD thread = GetCurrentThreadId();
    hooks.nodes.remove_if([&](const HookNode& node) {
      if (node.threadId != thread || node.context != context) return false;
      hook = node.hook;
      return true;
    });
  }
  if (hook != nullptr) UnhookWindowsHookEx(hook);
}

ToolBandContextC* KeyboardHookContext() {
  const std::optional<HookNode> node = NodeOfThisThread();
  return node ? node->context : nullptr;
}

}  // namespace framework
