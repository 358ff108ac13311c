#include "framework/hook/BandFocusWatch.h"

#include <optional>
#include <string>

#include "platform/text/WideChars.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Subclass.h"
#include "platform/ui/Window.h"

namespace framework {

namespace {

constexpr UINT_PTR kFocusWatchId = 1;

// The focus notice a control window sends its parent, if `wParam`/`child`
// carry one: true for gained, false for lost. Notice codes overlap between
// control kinds, so the sender's class says how to read the code.
std::optional<bool> ControlFocusNotice(WPARAM wParam, HWND child) {
  if (child == nullptr) return std::nullopt;
  const WORD code = HIWORD(wParam);
  const std::u16string className = platform::ui::WindowClassName(child);
  if (className == platform::AsChar16(WC_EDITW)) {
    if (code == EN_SETFOCUS) return true;
    if (code == EN_KILLFOCUS) return false;
  } else if (className == platform::AsChar16(WC_COMBOBOXW)) {
    if (code == CBN_SETFOCUS) return true;
    if (code == CBN_KILLFOCUS) return false;
  }
  return std::nullopt;
}

}  // namespace

void BandFocusWatch::Start(HWND toolbar, Listener listener) {
  Stop();
  if (toolbar == nullptr) return;
  toolbar_ = toolbar;
  listener_ = std::move(listener);
  SetWindowSubclass(toolbar_, &BandFocusWatch::WindowProc, kFocusWatchId,
                    reinterpret_cast<DWORD_PTR>(this));
}

void BandFocusWatch::Stop() {
  if (toolbar_ != nullptr && IsWindow(toolbar_)) {
    RemoveWindowSubclass(toolbar_, &BandFocusWatch::WindowProc, kFocusWatchId);
  }
  toolbar_ = nullptr;
  listener_ = nullptr;
}

void BandFocusWatch::Report(bool hasFocus) {
  if (listener_) listener_(hasFocus);
}

LRESULT BandFocusWatch::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self) {
  auto* watch = reinterpret_cast<BandFocusWatch*>(self);
  if (message == WM_SETFOCUS) {
    watch->Report(true);
  } else if (message == WM_KILLFOCUS) {
    watch->Report(false);
  } else if (message == WM_COMMAND) {
    if (const auto notice = ControlFocusNotice(wParam, reinterpret_cast<HWND>(lParam))) {
      watch->Report(*notice);
    }
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace framework
