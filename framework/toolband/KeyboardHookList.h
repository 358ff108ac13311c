// The per-thread keyboard hooks of the toolbar: every browser thread with
// a toolband gets one hook for that thread only, which offers each key
// press to the toolband's hot keys and then to the tab context. The list
// of {thread, tab context, hook} is process-wide.
#pragma once

namespace framework {

class ToolBandContextC;

// Installs the calling thread's hook for `context`, unless the thread
// already has one. Returns whether a hook is installed now.
bool InstallKeyboardHook(ToolBandContextC* context);
// Removes the calling thread's hook when it belongs to `context`.
void RemoveKeyboardHook(const ToolBandContextC* context);
// The context whose hook the calling thread has, or null.
ToolBandContextC* KeyboardHookContext();

}  // namespace framework
