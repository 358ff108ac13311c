#include "platform/ui/MessageLoopThread.h"

#include <memory>
#include <stdexcept>
#include <utility>

#include "platform/ui/MessageQueue.h"

namespace platform::ui {
namespace {

constexpr UINT kRunWork = WM_APP + 0x42;

struct PostedWork {
  MessageLoopThread::Work body;
  std::promise<void> done;
};

}  // namespace

MessageLoopThread::MessageLoopThread(Work setUp, Work tearDown) {
  std::promise<DWORD> started;
  std::future<DWORD> id = started.get_future();
  thread_ = std::thread([this, setUp = std::move(setUp), tearDown = std::move(tearDown), &started] {
    Loop(setUp, tearDown, started);
  });
  threadId_ = id.get();
}

MessageLoopThread::~MessageLoopThread() {
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  thread_.join();
}

void MessageLoopThread::Loop(const Work& setUp, const Work& tearDown,
                             std::promise<DWORD>& started) {
  if (setUp) setUp();
  MSG message{};
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // makes the queue before work is posted
  started.set_value(GetCurrentThreadId());
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == kRunWork) {
      const std::unique_ptr<PostedWork> work(reinterpret_cast<PostedWork*>(message.lParam));
      try {
        work->body();
        work->done.set_value();
      } catch (...) {
        work->done.set_exception(std::current_exception());
      }
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (tearDown) tearDown();
}

std::future<void> MessageLoopThread::Post(Work work) {
  auto posted = std::make_unique<PostedWork>();
  posted->body = std::move(work);
  std::future<void> done = posted->done.get_future();
  if (PostThreadMessageW(threadId_, kRunWork, 0, reinterpret_cast<LPARAM>(posted.get()))) {
    posted.release();
  } else {
    posted->done.set_exception(
        std::make_exception_ptr(std::runtime_error("the thread's loop has ended")));
  }
  return done;
}

bool MessageLoopThread::Run(Work work, std::chrono::milliseconds limit) {
  std::future<void> done = Post(std::move(work));
  if (done.wait_for(limit) != std::future_status::ready) return false;
  done.get();
  return true;
}

}  // namespace platform::ui
