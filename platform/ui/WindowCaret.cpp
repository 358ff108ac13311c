// The caret of each thread, kept with the thread's queue like its focus.
#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

using Lock = std::unique_lock<std::mutex>;

// ShowCaret and HideCaret act on the thread's caret when the window named
// owns it, or when none is named.
bool MayChangeCaretLocked(const ThreadQueue& queue, HWND hwnd) {
  return queue.caret != nullptr && FindWindowLocked(queue.caret) &&
         (hwnd == nullptr || hwnd == queue.caret);
}

}  // namespace

BOOL CreateCaret(HWND hwnd, void*, int, int) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  auto record = FindOrFail(hwnd);
  if (!record) return FALSE;
  if (record->threadId != queue->threadId) {
    ::SetLastError(kErrorAccessDenied);
    return FALSE;
  }
  queue->caret = hwnd;
  queue->caretHideLevel = 1;
  return TRUE;
}

BOOL DestroyCaret() {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  const bool had = queue->caret != nullptr && FindWindowLocked(queue->caret);
  queue->caret = nullptr;
  queue->caretHideLevel = 0;
  return had ? TRUE : FALSE;
}

BOOL ShowCaret(HWND hwnd) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  if (!MayChangeCaretLocked(*queue, hwnd)) return FALSE;
  if (queue->caretHideLevel > 0) --queue->caretHideLevel;
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  if (!MayChangeCaretLocked(*queue, hwnd)) return FALSE;
  ++queue->caretHideLevel;
  return TRUE;
}

namespace platform::ui {

HWND CaretWindow() {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  return queue->caret != nullptr && FindWindowLocked(queue->caret) ? queue->caret : nullptr;
}

bool IsCaretShown() {
  auto queue = CurrentQueue();
  Lock lock(Sys().mutex);
  return queue->caret != nullptr && FindWindowLocked(queue->caret) && queue->caretHideLevel == 0;
}

}  // namespace platform::ui
