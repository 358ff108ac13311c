#include "tools/browser/BrowserWindow.h"

#include <chrono>
#include <optional>
#include <stdexcept>

#include "platform/com/ComInit.h"
#include "platform/registry/RegistryKey.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WindowMessages.h"
#include "platform/ui/WorkerPump.h"

namespace browserhost {
namespace {

constexpr UINT kRunWork = WM_APP + 0x42;
// Work bounds its own waits; this only catches a hang.
constexpr auto kWorkGuard = std::chrono::seconds(120);

struct PostedWork {
  BrowserWindow::Work body;
  std::promise<void> done;
};

// Workers the window's toolbars started may still report to its windows.
constexpr auto kWorkerGuard = std::chrono::seconds(60);

std::vector<CLSID> ListedToolbars() {
  std::vector<CLSID> toolbars;
  platform::RegistryKey list;
  if (list.Open(HKEY_LOCAL_MACHINE, kToolbarListKey) != ERROR_SUCCESS) return toolbars;
  std::string name;
  for (DWORD index = 0; list.EnumValue(index, name) == ERROR_SUCCESS; ++index) {
    if (const std::optional<GUID> clsid = platform::ParseGuid(name)) toolbars.push_back(*clsid);
  }
  return toolbars;
}

}  // namespace

BrowserWindow::BrowserWindow() {
  std::promise<DWORD> started;
  std::future<DWORD> threadId = started.get_future();
  thread_ = std::thread([this, &started] { ThreadMain(started); });
  threadId_ = threadId.get();
}

BrowserWindow::~BrowserWindow() {
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  thread_.join();
}

void BrowserWindow::ThreadMain(std::promise<DWORD>& started) {
  const platform::ScopedComInit com;
  platform::BrowserFrame frame;
  toolbars_ = ListedToolbars();
  for (const CLSID& clsid : toolbars_) toolbarResults_.push_back(frame.AddToolbar(clsid));
  platform::ui::RunUntilIdle();
  // Makes the thread's queue before the host may post to it.
  MSG message{};
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  started.set_value(GetCurrentThreadId());

  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == kRunWork) {
      const std::unique_ptr<PostedWork> work(reinterpret_cast<PostedWork*>(message.lParam));
      try {
        work->body(frame);
        platform::ui::RunUntilIdle();
        work->done.set_value();
      } catch (...) {
        work->done.set_exception(std::current_exception());
      }
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  frame.Quit();
  platform::ui::RunUntilWorkersDone(kWorkerGuard);
}

std::future<void> BrowserWindow::Post(Work work) {
  auto posted = std::make_unique<PostedWork>();
  posted->body = std::move(work);
  std::future<void> done = posted->done.get_future();
  if (PostThreadMessageW(threadId_, kRunWork, 0, reinterpret_cast<LPARAM>(posted.get()))) {
    posted.release();
  } else {
    posted->done.set_exception(
        std::make_exception_ptr(std::runtime_error("the window's thread has ended")));
  }
  return done;
}

bool BrowserWindow::Run(Work work) {
  std::future<void> done = Post(std::move(work));
  if (done.wait_for(kWorkGuard) != std::future_status::ready) return false;
  done.get();
  return true;
}

}  // namespace browserhost
