// Internal state of the window toolkit stand-in: the class table, the window
// records and one queue per thread that uses windows. One mutex guards all of
// it; window procedures, hooks and timer callbacks are always called with the
// mutex released, because they re-enter the toolkit.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/WindowMessages.h"

namespace platform::ui::detail {

// The registry facility owns the global names of these two shared codes.
inline constexpr DWORD kErrorAccessDenied = 5;
inline constexpr DWORD kErrorInvalidParameter = 87;

// Behaviour of a built-in control (toolbar, combo box, ...) kept with its
// window; the class's window procedure finds it here.
class ControlState {
 public:
  virtual ~ControlState() = default;
};

struct ClassRecord {
  std::u16string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;
  HCURSOR cursor = nullptr;
};

struct SubclassEntry {
  SUBCLASSPROC proc = nullptr;
  UINT_PTR id = 0;
  DWORD_PTR refData = 0;
};

struct WindowRecord {
  HWND handle = nullptr;
  DWORD threadId = 0;
  std::u16string className;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;
  std::vector<HWND> children;  // z-order, topmost first
  std::u16string text;
  RECT rect{};  // in the parent's client coordinates (screen for top-level windows)
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  std::map<std::u16string, HANDLE> props;
  std::vector<SubclassEntry> subclasses;  // newest last
  WNDPROC procBeforeSubclass = nullptr;
  bool needsPaint = false;
  bool destroying = false;
  std::shared_ptr<ControlState> control;
};

struct SentMessage;
struct ThreadQueue;

struct SentMessage {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;
  bool handled = false;  // false: the window or its thread went first
  std::shared_ptr<ThreadQueue> sender;
};

struct TimerRecord {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  std::uint64_t period = 0;
  std::uint64_t due = 0;
  TIMERPROC proc = nullptr;
  std::uint64_t order = 0;
};

struct HookRecord {
  HHOOK handle = nullptr;
  int kind = 0;
  HOOKPROC proc = nullptr;
};

struct ThreadQueue {
  DWORD threadId = 0;
  bool alive = true;
  std::condition_variable wake;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> incomingSends;
  std::vector<TimerRecord> timers;
  std::vector<HookRecord> hooks;  // newest first: the order a chain runs in
  bool quitPosted = false;
  int quitCode = 0;
  HWND focus = nullptr;
  // The thread's one caret: its owner (null for none) and how many more
  // HideCaret than ShowCaret calls it has had (a new caret starts hidden).
  HWND caret = nullptr;
  int caretHideLevel = 0;
  HCURSOR cursor = nullptr;
  BYTE keyState[256] = {};
};

struct System {
  std::mutex mutex;
  std::map<std::u16string, ClassRecord> classes;  // key: upper-cased name
  std::unordered_map<std::uintptr_t, std::shared_ptr<WindowRecord>> windows;
  std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> threads;
  std::uintptr_t nextHandle = 0x10000;
  std::uint64_t nextTimerOrder = 1;
  UINT_PTR nextThreadTimerId = 0x7FF0;
  BYTE asyncKeyDown[256] = {};
  // SendMessageTimeoutW calls waiting for their limit; tests wait for them
  // before they advance a virtual clock (platform/ui/testing/TimedSends.h).
  std::size_t timedSendsWaiting = 0;
  std::condition_variable timedSendsChanged;
  // Counts the times every queue was woken (the clock moved, a worker
  // returned), so a loop that waits for either sees a wake it came too late
  // to be notified of.
  std::uint64_t wakeGeneration = 0;
};

System& Sys();

// The wake count now, and a wait of the calling thread until its queue has
// something to handle, every queue was woken since that count, or the real
// deadline passed. Call without the mutex.
std::uint64_t WakeGeneration();
void WaitForInputOrWake(std::uint64_t sinceGeneration,
                        std::chrono::steady_clock::time_point realDeadline);

// The calling thread's queue, created on first use. Call without the mutex.
std::shared_ptr<ThreadQueue> CurrentQueue();

// Lookups; the caller holds the mutex.
std::shared_ptr<WindowRecord> FindWindowLocked(HWND hwnd);
std::shared_ptr<ThreadQueue> FindQueueLocked(DWORD threadId);
std::u16string ClassKey(std::u16string_view name);
HWND NewHandleLocked();
// FindWindowLocked that also sets ERROR_INVALID_WINDOW_HANDLE on failure.
std::shared_ptr<WindowRecord> FindOrFail(HWND hwnd);
// Class names given as atoms (MAKEINTRESOURCE) are not supported: the
// product always names its classes.
bool IsClassAtom(LPCWSTR name);
POINT OriginOnScreenLocked(HWND hwnd);
bool IsDescendantLocked(HWND ancestor, HWND hwnd);
std::vector<HWND> TopLevelWindowsLocked();

// Calls the window's current procedure on this thread (no queue involved).
LRESULT CallWindowDirect(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Built-in controls keep their state with their window.
void AttachControlState(HWND hwnd, std::shared_ptr<ControlState> state);
std::shared_ptr<ControlState> GetControlState(HWND hwnd);

template <typename T>
std::shared_ptr<T> ControlStateOf(HWND hwnd) {
  return std::dynamic_pointer_cast<T>(GetControlState(hwnd));
}

// Makes sure the built-in control classes are registered (idempotent).
void RegisterBuiltInClasses();

}  // namespace platform::ui::detail
