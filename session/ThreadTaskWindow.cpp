#include "session/ThreadTaskWindow.h"

#include <utility>

#include "platform/text/WideChars.h"
#include "platform/trace/Contain.h"
#include "platform/ui/MessageQueue.h"

namespace session {
namespace {

constexpr char16_t kClassName[] = u"VimaruSessionTasks";
constexpr UINT kRunQueued = WM_APP + 0x5A;

bool RegisterTaskWindowClass(WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(nullptr, platform::AsWchar(kClassName), &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.lpszClassName = platform::AsWchar(kClassName);
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

ThreadTaskWindow::ThreadTaskWindow() : threadId_(GetCurrentThreadId()) {}

std::shared_ptr<ThreadTaskWindow> ThreadTaskWindow::Create() {
  if (!RegisterTaskWindowClass(&ThreadTaskWindow::WindowProc)) return nullptr;
  std::shared_ptr<ThreadTaskWindow> tasks(new ThreadTaskWindow);
  // Never shown: it exists only to receive the wake-up message.
  tasks->hwnd_ = CreateWindowExW(0, platform::AsWchar(kClassName), platform::AsWchar(u""), 0, 0, 0,
                                 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (tasks->hwnd_ == nullptr) return nullptr;
  SetWindowLongPtrW(tasks->hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tasks.get()));
  return tasks;
}

ThreadTaskWindow::~ThreadTaskWindow() {
  if (IsOnOwnThread()) Close();
}

bool ThreadTaskWindow::IsOnOwnThread() const { return GetCurrentThreadId() == threadId_; }

bool ThreadTaskWindow::Post(std::function<void()> task) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    wake = queued_.empty();
    queued_.push_back(std::move(task));
  }
  // One message wakes the thread for everything queued until it runs; if
  // the window has gone meanwhile the post fails and the queue dies with it.
  if (wake) PostMessageW(hwnd_, kRunQueued, 0, 0);
  return true;
}

void ThreadTaskWindow::Close() {
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    closed_ = true;
    dropped.swap(queued_);
  }
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

void ThreadTaskWindow::RunQueued() {
  std::deque<std::function<void()>> tasks;
  {
    std::lock_guard lock(mutex_);
    tasks.swap(queued_);
  }
  for (auto& task : tasks) {
    // A task may close the tab, and with it this window.
    {
      std::lock_guard lock(mutex_);
      if (closed_) return;
    }
    platform::Contain("ThreadTaskWindow::RunQueued", 0, [&] {
      task();
      return 0;
    });
  }
}

LRESULT CALLBACK ThreadTaskWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == kRunQueued) {
    if (auto* tasks = reinterpret_cast<ThreadTaskWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      // Held for the run: a task that ends the tab may drop the last owner.
      const std::shared_ptr<ThreadTaskWindow> self = tasks->shared_from_this();
      self->RunQueued();
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace session
