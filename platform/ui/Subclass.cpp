#include "platform/ui/Subclass.h"

#include <algorithm>
#include <vector>

#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

// One frame per message travelling down a window's subclass chain on this
// thread; DefSubclassProc continues from the innermost frame of its window.
struct ChainFrame {
  HWND hwnd;
  std::vector<SubclassEntry> entries;  // a copy: removals during the call do not disturb it
  WNDPROC original;
  int next;  // index of the subclass DefSubclassProc calls next; -1 for the original
};

thread_local std::vector<ChainFrame*> frames;

LRESULT CallFrom(ChainFrame& frame, UINT message, WPARAM wParam, LPARAM lParam) {
  const int index = frame.next;
  if (index < 0) return CallWindowProcW(frame.original, frame.hwnd, message, wParam, lParam);
  const SubclassEntry entry = frame.entries[static_cast<std::size_t>(index)];
  frame.next = index - 1;
  const LRESULT result = entry.proc(frame.hwnd, message, wParam, lParam, entry.id, entry.refData);
  frame.next = index;
  return result;
}

LRESULT CALLBACK SubclassMasterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ChainFrame frame{hwnd, {}, nullptr, -1};
  {
    Lock lock(Sys().mutex);
    auto record = FindWindowLocked(hwnd);
    if (!record) return 0;
    frame.entries = record->subclasses;
    frame.original = record->procBeforeSubclass;
  }
  frame.next = static_cast<int>(frame.entries.size()) - 1;
  frames.push_back(&frame);
  const LRESULT result = CallFrom(frame, message, wParam, lParam);
  frames.pop_back();
  return result;
}

std::shared_ptr<WindowRecord> OwnWindowLocked(HWND hwnd) {
  auto record = FindWindowLocked(hwnd);
  if (!record) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (record->threadId != GetCurrentThreadId()) {
    ::SetLastError(kErrorAccessDenied);
    return nullptr;
  }
  return record;
}

}  // namespace

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass, DWORD_PTR refData) {
  if (!proc) return FALSE;
  CurrentQueue();
  Lock lock(Sys().mutex);
  auto record = OwnWindowLocked(hwnd);
  if (!record) return FALSE;
  for (auto& entry : record->subclasses) {
    if (entry.proc == proc && entry.id == idSubclass) {
      entry.refData = refData;
      return TRUE;
    }
  }
  if (record->subclasses.empty()) {
    record->procBeforeSubclass = record->proc;
    record->proc = SubclassMasterProc;
  }
  record->subclasses.push_back(SubclassEntry{proc, idSubclass, refData});
  return TRUE;
}

BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass, DWORD_PTR* refData) {
  Lock lock(Sys().mutex);
  auto record = FindWindowLocked(hwnd);
  if (!record) return FALSE;
  for (auto& entry : record->subclasses) {
    if (entry.proc == proc && entry.id == idSubclass) {
      if (refData) *refData = entry.refData;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass) {
  CurrentQueue();
  Lock lock(Sys().mutex);
  auto record = OwnWindowLocked(hwnd);
  if (!record) return FALSE;
  const auto removed = std::erase_if(record->subclasses, [&](const SubclassEntry& entry) {
    return entry.proc == proc && entry.id == idSubclass;
  });
  if (removed == 0) return FALSE;
  // Someone may have replaced the procedure after us; then our master stays
  // installed and simply forwards to the original.
  if (record->subclasses.empty() && record->proc == SubclassMasterProc)
    record->proc = record->procBeforeSubclass;
  return TRUE;
}

LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    if ((*it)->hwnd == hwnd) return CallFrom(**it, message, wParam, lParam);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
