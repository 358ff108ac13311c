#include "framework/builtin/PageReadyWait.h"

#include "platform/browser/WebBrowser.h"
#include "platform/clock/Clock.h"
#include "platform/ui/MessageQueue.h"

namespace framework {

namespace {

bool IsPageReady(IWebBrowser2* browser) {
  VARIANT_BOOL busy = VARIANT_TRUE;
  READYSTATE state = READYSTATE_UNINITIALIZED;
  return SUCCEEDED(browser->get_Busy(&busy)) && busy == VARIANT_FALSE &&
         SUCCEEDED(browser->get_ReadyState(&state)) && state == READYSTATE_COMPLETE;
}

// A thread timer that wakes the wait when the rest of the limit is over.
class DeadlineTimer {
 public:
  explicit DeadlineTimer(std::uint64_t remainingMs)
      : id_(SetTimer(nullptr, 0, static_cast<UINT>(remainingMs), nullptr)) {}
  ~DeadlineTimer() { KillTimer(nullptr, id_); }
  DeadlineTimer(const DeadlineTimer&) = delete;
  DeadlineTimer& operator=(const DeadlineTimer&) = delete;
  bool Owns(const MSG& msg) const {
    return msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == id_;
  }

 private:
  UINT_PTR id_;
};

}  // namespace

bool WaitForPageReady(IWebBrowser2* browser, std::uint32_t limitMs) {
  if (browser == nullptr) return false;
  const std::uint64_t start = platform::TickCount64();
  for (;;) {
    if (IsPageReady(browser)) return true;
    const std::uint64_t elapsed = platform::TickCount64() - start;
    if (elapsed >= limitMs) return false;
    DeadlineTimer deadline(limitMs - elapsed);
    MSG msg{};
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (got < 0) return false;
    if (deadline.Owns(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace framework
