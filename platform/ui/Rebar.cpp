#include "platform/ui/Rebar.h"

#include <algorithm>
#include <vector>

#include "platform/ui/Window.h"
#include "platform/ui/detail/ControlClass.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui::detail;

namespace {

// Band structures are read only when their size field vouches for them.
bool IsSized(const REBARBANDINFOW* info) {
  return info != nullptr && info->cbSize == sizeof(REBARBANDINFOW);
}

struct Band {
  REBARBANDINFOW info{};  // lpText is not kept: `text` holds it
  std::u16string text;
  std::u16string classId;
};

class RebarState : public ControlState {
 public:
  std::vector<Band> bands;
};

void ApplyInfo(HWND rebar, Band& band, const REBARBANDINFOW& info) {
  const UINT mask = info.fMask;
  if (mask & RBBIM_STYLE) band.info.fStyle = info.fStyle;
  if (mask & RBBIM_COLORS) {
    band.info.clrFore = info.clrFore;
    band.info.clrBack = info.clrBack;
  }
  if (mask & RBBIM_TEXT) band.text = info.lpText ? std::u16string(info.lpText) : std::u16string();
  if (mask & RBBIM_IMAGE) band.info.iImage = info.iImage;
  if (mask & RBBIM_CHILD) {
    band.info.hwndChild = info.hwndChild;
    if (info.hwndChild) SetParent(info.hwndChild, rebar);
  }
  if (mask & RBBIM_CHILDSIZE) {
    band.info.cxMinChild = info.cxMinChild;
    band.info.cyMinChild = info.cyMinChild;
    band.info.cyChild = info.cyChild;
    band.info.cyMaxChild = info.cyMaxChild;
    band.info.cyIntegral = info.cyIntegral;
  }
  if (mask & RBBIM_SIZE) band.info.cx = info.cx;
  if (mask & RBBIM_ID) band.info.wID = info.wID;
  if (mask & RBBIM_IDEALSIZE) band.info.cxIdeal = info.cxIdeal;
  if (mask & RBBIM_LPARAM) band.info.lParam = info.lParam;
}

void ReadInfo(const Band& band, REBARBANDINFOW& info) {
  const UINT size = info.cbSize;
  const UINT mask = info.fMask;
  LPWSTR textBuffer = info.lpText;
  const UINT textChars = info.cch;
  info = band.info;
  info.cbSize = size;
  info.fMask = mask;
  info.lpText = textBuffer;
  info.cch = textChars;
  if ((mask & RBBIM_TEXT) && textBuffer && textChars > 0) {
    const auto count = std::min<std::size_t>(band.text.size(), textChars - 1);
    std::copy_n(band.text.data(), count, textBuffer);
    textBuffer[count] = 0;
  }
}

LRESULT CALLBACK RebarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) AttachControlState(hwnd, std::make_shared<RebarState>());
  auto state = ControlStateOf<RebarState>(hwnd);
  if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
  auto& bands = state->bands;
  const auto index = static_cast<int>(wParam);
  const bool valid = index >= 0 && index < static_cast<int>(bands.size());
  switch (message) {
    case RB_INSERTBANDW: {
      const auto* info = reinterpret_cast<const REBARBANDINFOW*>(lParam);
      if (!IsSized(info)) return FALSE;
      Band band;
      ApplyInfo(hwnd, band, *info);
      const auto at = (index < 0 || index > static_cast<int>(bands.size()))
                          ? bands.size()
                          : static_cast<std::size_t>(index);
      bands.insert(bands.begin() + static_cast<std::ptrdiff_t>(at), std::move(band));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case RB_DELETEBAND:
      if (!valid) return FALSE;
      bands.erase(bands.begin() + index);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case RB_GETBANDCOUNT:
      return static_cast<LRESULT>(bands.size());
    case RB_GETROWCOUNT: {
      if (bands.empty()) return 0;
      LRESULT rows = 1;
      for (std::size_t i = 1; i < bands.size(); ++i) {
        if ((bands[i].info.fStyle & RBBS_BREAK) && !(bands[i].info.fStyle & RBBS_HIDDEN)) ++rows;
      }
      return rows;
    }
    case RB_GETBANDINFOW: {
      auto* info = reinterpret_cast<REBARBANDINFOW*>(lParam);
      if (!valid || !IsSized(info)) return FALSE;
      ReadInfo(bands[static_cast<std::size_t>(index)], *info);
      return TRUE;
    }
    case RB_SETBANDINFOW: {
      const auto* info = reinterpret_cast<const REBARBANDINFOW*>(lParam);
      if (!valid || !IsSized(info)) return FALSE;
      ApplyInfo(hwnd, bands[static_cast<std::size_t>(index)], *info);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case RB_IDTOINDEX:
      for (std::size_t i = 0; i < bands.size(); ++i) {
        if (bands[i].info.wID == static_cast<UINT>(wParam)) return static_cast<LRESULT>(i);
      }
      return -1;
    case RB_SHOWBAND:
      if (!valid) return FALSE;
      if (lParam)
        bands[static_cast<std::size_t>(index)].info.fStyle &= ~RBBS_HIDDEN;
      else
        bands[static_cast<std::size_t>(index)].info.fStyle |= RBBS_HIDDEN;
      return TRUE;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

namespace platform::ui::detail {

void RegisterRebarClass() { RegisterControlClass(REBARCLASSNAMEW, RebarProc, CS_DBLCLKS); }

}  // namespace platform::ui::detail

namespace platform::ui {

bool SetRebarBandClassId(HWND rebar, int index, std::u16string classIdText) {
  auto state = ControlStateOf<RebarState>(rebar);
  if (!state || index < 0 || index >= static_cast<int>(state->bands.size())) return false;
  state->bands[static_cast<std::size_t>(index)].classId = std::move(classIdText);
  return true;
}

int FindRebarBandByClassId(HWND rebar, std::u16string_view classIdText) {
  auto state = ControlStateOf<RebarState>(rebar);
  if (!state) return -1;
  const auto wanted = ClassKey(classIdText);
  for (std::size_t i = 0; i < state->bands.size(); ++i) {
    if (ClassKey(state->bands[i].classId) == wanted) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace platform::ui
