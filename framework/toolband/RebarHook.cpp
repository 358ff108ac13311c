#include "framework/toolband/RebarHook.h"

#include "framework/toolband/ToolBandC.h"
#include "platform/text/WideChars.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/Window.h"

namespace framework {

namespace {

constexpr const char16_t* kToolBandProperty = u"OrvaneToolBand";
constexpr const char16_t* kRebarProcProperty = u"OrvaneRebarProc";
constexpr DWORD kThrowAwayRebarStyle = 0x46800648;
constexpr int kThrowAwayWidth = 400;
constexpr int kThrowAwayHeight = 275;

// The rebar class's procedure as a fresh rebar has it, before any host
// subclassed its rebar.
WNDPROC RebarClassProcedure() {
  platform::ui::UniqueWindow probe(
      CreateWindowExW(0, REBARCLASSNAMEW, platform::AsWchar(u""), kThrowAwayRebarStyle, 0, 0,
                      kThrowAwayWidth, kThrowAwayHeight, nullptr, nullptr, nullptr, nullptr));
  if (!probe) return nullptr;
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(probe.Get(), GWLP_WNDPROC));
}

}  // namespace

bool RebarHook::Install(HWND rebar, ToolBandC* toolband) {
  if (rebar == nullptr ||
      platform::ui::WindowClassName(rebar) != platform::AsChar16(REBARCLASSNAMEW))
    return false;
  rebarProc_ = RebarClassProcedure();
  if (rebarProc_ == nullptr) return false;
  rebar_ = rebar;
  SetPropW(rebar_, platform::AsWchar(kToolBandProperty), toolband);
  SetPropW(rebar_, platform::AsWchar(kRebarProcProperty), reinterpret_cast<HANDLE>(rebarProc_));
  SetWindowLongPtrW(rebar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RebarHook::WindowProc));
  return true;
}

void RebarHook::Release() {
  if (rebar_ == nullptr) return;
  if (IsWindow(rebar_)) {
    SetWindowLongPtrW(rebar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(rebarProc_));
    RemovePropW(rebar_, platform::AsWchar(kToolBandProperty));
    RemovePropW(rebar_, platform::AsWchar(kRebarProcProperty));
  }
  rebar_ = nullptr;
}

LRESULT RebarHook::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto rebarProc = reinterpret_cast<WNDPROC>(GetPropW(hwnd, platform::AsWchar(kRebarProcProperty)));
  auto* toolband = static_cast<ToolBandC*>(GetPropW(hwnd, platform::AsWchar(kToolBandProperty)));
  const LRESULT result = rebarProc != nullptr
                             ? CallWindowProcW(rebarProc, hwnd, message, wParam, lParam)
                             : DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_SIZE && toolband != nullptr) toolband->LayoutControls();
  return result;
}

}  // namespace framework
