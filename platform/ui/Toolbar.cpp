#include "platform/ui/Toolbar.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "platform/ui/Gdi.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/ControlClass.h"
#include "platform/ui/detail/System.h"

using namespace platform::ui;
using namespace platform::ui::detail;

namespace {

int Bounded(std::int64_t extent) {
  return static_cast<int>(std::clamp<std::int64_t>(extent, 0, kToolbarMaximumExtent));
}

struct Button {
  int id = 0;
  int image = 0;
  BYTE state = 0;
  BYTE style = 0;
  WORD explicitWidth = 0;
  DWORD_PTR data = 0;
  std::u16string text;
};

// Everything the toolbar keeps. Only the owning thread touches it (the
// window procedure runs there), so it needs no lock of its own.
class ToolbarState : public ControlState {
 public:
  std::vector<Button> buttons;
  DWORD extendedStyle = 0;
  HIMAGELIST normalImages = nullptr;
  HIMAGELIST disabledImages = nullptr;
  SIZE bitmapSize{16, 15};
  int buttonWidth = 0;  // 0: image width + padding
  int maxTextRows = 1;
  HWND notifyParent = nullptr;
  HWND tooltips = nullptr;
  HFONT font = nullptr;
  DWORD style = 0;

  SIZE ImageSize() const {
    int width = 0;
    int height = 0;
    if (normalImages && ImageList_GetIconSize(normalImages, &width, &height))
      return SIZE{width, height};
    return bitmapSize;
  }
  int RowHeight() const { return Bounded(std::max<std::int64_t>(ImageSize().cy, kTextHeight) + 7); }

  bool TextShown(const Button& button) const {
    if (button.text.empty() || maxTextRows == 0 || (button.style & BTNS_SEP)) return false;
    return !(extendedStyle & TBSTYLE_EX_MIXEDBUTTONS) || (button.style & BTNS_SHOWTEXT);
  }

  int Width(const Button& button) const {
    if (button.state & TBSTATE_HIDDEN) return 0;
    if (button.explicitWidth) return Bounded(button.explicitWidth);
    if (button.style & BTNS_SEP)
      return button.image > 0 ? Bounded(button.image) : kToolbarSeparatorWidth;
    const bool image = button.image != I_IMAGENONE;
    const bool text = TextShown(button);
    std::int64_t width = kToolbarButtonPadding;
    if (image) width += ImageSize().cx;
    if (text) width += TextWidth(button.text, !(button.style & BTNS_NOPREFIX));
    if (image && text) width += kToolbarImageTextGap;
    if (!(button.style & BTNS_AUTOSIZE))
      width = std::max<std::int64_t>(width, DefaultButtonWidth());
    if ((button.style & BTNS_DROPDOWN) && (extendedStyle & TBSTYLE_EX_DRAWDDARROWS))
      width += kToolbarSplitArrowWidth;
    if (button.style & BTNS_WHOLEDROPDOWN) width += kToolbarWholeArrowWidth;
    return Bounded(width);
  }
  int DefaultButtonWidth() const {
    return buttonWidth ? buttonWidth
                       : Bounded(std::int64_t{ImageSize().cx} + kToolbarButtonPadding);
  }

  // Widths are bounded each, but a toolbar may hold any number of buttons.
  std::optional<RECT> Rect(std::size_t index) const {
    if (index >= buttons.size() || (buttons[index].state & TBSTATE_HIDDEN)) return std::nullopt;
    std::int64_t x = 0;
    for (std::size_t i = 0; i < index && x < kToolbarMaximumExtent; ++i) x += Width(buttons[i]);
    return RECT{Bounded(x), 0, Bounded(x + Width(buttons[index])), RowHeight()};
  }
  LONG TotalWidth() const {
    std::int64_t total = 0;
    for (std::size_t i = 0; i < buttons.size() && total < kToolbarMaximumExtent; ++i)
      total += Width(buttons[i]);
    return Bounded(total);
  }
  int IndexOf(int id) const {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (buttons[i].id == id) return static_cast<int>(i);
    }
    return -1;
  }
};

std::u16string TextFrom(INT_PTR pointer) {
  if (static_cast<ULONG_PTR>(pointer) < 0x10000) return {};
  return std::u16string(reinterpret_cast<LPCWSTR>(pointer));
}

Button FromTbButton(const TBBUTTON& source) {
  Button button;
  button.id = source.idCommand;
  button.image = source.iBitmap;
  button.state = source.fsState;
  button.style = source.fsStyle;
  button.data = source.dwData;
  button.text = TextFrom(source.iString);
  return button;
}

LRESULT SetButtonBit(ToolbarState& state, HWND hwnd, WPARAM id, BYTE bit, bool on) {
  const int index = state.IndexOf(static_cast<int>(id));
  if (index < 0) return FALSE;
  auto& button = state.buttons[static_cast<std::size_t>(index)];
  button.state = on ? (button.state | bit) : (button.state & ~bit);
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT ButtonBit(const ToolbarState& state, WPARAM id, BYTE bit) {
  const int index = state.IndexOf(static_cast<int>(id));
  if (index < 0) return -1;
  return (state.buttons[static_cast<std::size_t>(index)].state & bit) ? TRUE : FALSE;
}

// The control trusts a structure only as far as its size field says it
// reaches, as the real one does: a caller that left cbSize unset fails.
LRESULT GetButtonInfo(const ToolbarState& state, WPARAM which, TBBUTTONINFOW* info) {
  if (!info || info->cbSize != sizeof(TBBUTTONINFOW)) return -1;
  const int index = (info->dwMask & TBIF_BYINDEX) ? static_cast<int>(which)
                                                  : state.IndexOf(static_cast<int>(which));
  if (index < 0 || index >= static_cast<int>(state.buttons.size())) return -1;
  const auto& button = state.buttons[static_cast<std::size_t>(index)];
  if (info->dwMask & TBIF_COMMAND) info->idCommand = button.id;
  if (info->dwMask & TBIF_IMAGE) info->iImage = button.image;
  if (info->dwMask & TBIF_STATE) info->fsState = button.state;
  if (info->dwMask & TBIF_STYLE) info->fsStyle = button.style;
  if (info->dwMask & TBIF_LPARAM) info->lParam = button.data;
  if (info->dwMask & TBIF_SIZE) info->cx = static_cast<WORD>(state.Width(button));
  if ((info->dwMask & TBIF_TEXT) && info->pszText && info->cchText > 0) {
    const auto count =
        std::min<std::size_t>(button.text.size(), static_cast<std::size_t>(info->cchText - 1));
    std::copy_n(button.text.data(), count, info->pszText);
    info->pszText[count] = 0;
  }
  return index;
}

LRESULT SetButtonInfo(ToolbarState& state, HWND hwnd, WPARAM which, const TBBUTTONINFOW* info) {
  if (!info || info->cbSize != sizeof(TBBUTTONINFOW)) return FALSE;
  const int index = (info->dwMask & TBIF_BYINDEX) ? static_cast<int>(which)
                                                  : state.IndexOf(static_cast<int>(which));
  if (index < 0 || index >= static_cast<int>(state.buttons.size())) return FALSE;
  auto& button = state.buttons[static_cast<std::size_t>(index)];
  if (info->dwMask & TBIF_COMMAND) button.id = info->idCommand;
  if (info->dwMask & TBIF_IMAGE) button.image = info->iImage;
  if (info->dwMask & TBIF_STATE) button.state = info->fsState;
  if (info->dwMask & TBIF_STYLE) button.style = info->fsStyle;
  if (info->dwMask & TBIF_LPARAM) button.data = info->lParam;
  if (info->dwMask & TBIF_SIZE) button.explicitWidth = info->cx;
  if (info->dwMask & TBIF_TEXT)
    button.text = info->pszText ? std::u16string(info->pszText) : std::u16string();
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

std::shared_ptr<ToolbarState> StateOf(HWND hwnd) { return ControlStateOf<ToolbarState>(hwnd); }

LRESULT CALLBACK ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto state = std::make_shared<ToolbarState>();
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    state->notifyParent = create->hwndParent;
    state->style = static_cast<DWORD>(create->style);
    AttachControlState(hwnd, state);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  auto state = StateOf(hwnd);
  if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      if (state->style & TBSTYLE_TOOLTIPS) {
        state->tooltips = CreateWindowExW(0, TOOLTIPS_CLASSW, u"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          nullptr, nullptr, nullptr);
      }
      return 0;
    case WM_DESTROY:
      if (state->tooltips) DestroyWindow(std::exchange(state->tooltips, nullptr));
      return 0;
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(
          state->font ? state->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    case TB_BUTTONSTRUCTSIZE:
    case TB_AUTOSIZE:
      return 0;
    case TB_SETPARENT:
      return reinterpret_cast<LRESULT>(
          std::exchange(state->notifyParent, reinterpret_cast<HWND>(wParam)));
    case TB_GETTOOLTIPS:
      return reinterpret_cast<LRESULT>(state->tooltips);
    case TB_SETEXTENDEDSTYLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return static_cast<LRESULT>(std::exchange(state->extendedStyle, static_cast<DWORD>(lParam)));
    case TB_GETEXTENDEDSTYLE:
      return static_cast<LRESULT>(state->extendedStyle);
    case TB_SETIMAGELIST:
      return reinterpret_cast<LRESULT>(
          std::exchange(state->normalImages, reinterpret_cast<HIMAGELIST>(lParam)));
    case TB_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(state->normalImages);
    case TB_SETDISABLEDIMAGELIST:
      return reinterpret_cast<LRESULT>(
          std::exchange(state->disabledImages, reinterpret_cast<HIMAGELIST>(lParam)));
    case TB_GETDISABLEDIMAGELIST:
      return reinterpret_cast<LRESULT>(state->disabledImages);
    case TB_SETBITMAPSIZE:
      state->bitmapSize =
          SIZE{LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam))};
      return TRUE;
    case TB_SETBUTTONSIZE:
      state->buttonWidth = LOWORD(static_cast<DWORD_PTR>(lParam));
      return TRUE;
    case TB_GETBUTTONSIZE:
      return MAKELPARAM(static_cast<WORD>(state->DefaultButtonWidth()),
                        static_cast<WORD>(state->RowHeight()));
    case TB_SETMAXTEXTROWS:
      state->maxTextRows = static_cast<int>(wParam);
      return TRUE;
    case TB_INSERTBUTTONW: {
      const auto* source = reinterpret_cast<const TBBUTTON*>(lParam);
      if (!source) return FALSE;
      const auto count = static_cast<LONG_PTR>(state->buttons.size());
      const auto at = static_cast<LONG_PTR>(static_cast<int>(wParam));
      const auto position = (at < 0 || at > count) ? count : at;
      state->buttons.insert(state->buttons.begin() + position, FromTbButton(*source));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case TB_ADDBUTTONSW: {
      const auto* source = reinterpret_cast<const TBBUTTON*>(lParam);
      if (!source) return FALSE;
      for (WPARAM i = 0; i < wParam; ++i) state->buttons.push_back(FromTbButton(source[i]));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case TB_DELETEBUTTON:
      if (wParam >= state->buttons.size()) return FALSE;
      state->buttons.erase(state->buttons.begin() + static_cast<std::ptrdiff_t>(wParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case TB_BUTTONCOUNT:
      return static_cast<LRESULT>(state->buttons.size());
    case TB_COMMANDTOINDEX:
      return state->IndexOf(static_cast<int>(wParam));
    case TB_GETBUTTON: {
      auto* target = reinterpret_cast<TBBUTTON*>(lParam);
      if (!target || wParam >= state->buttons.size()) return FALSE;
      const auto& button = state->buttons[wParam];
      *target = TBBUTTON{};
      target->idCommand = button.id;
      target->iBitmap = button.image;
      target->fsState = button.state;
      target->fsStyle = button.style;
      target->dwData = button.data;
      return TRUE;
    }
    case TB_GETBUTTONTEXTW: {
      const int index = state->IndexOf(static_cast<int>(wParam));
      if (index < 0) return -1;
      const auto& text = state->buttons[static_cast<std::size_t>(index)].text;
      if (auto* buffer = reinterpret_cast<LPWSTR>(lParam)) {
        std::copy(text.begin(), text.end(), buffer);
        buffer[text.size()] = 0;
      }
      return static_cast<LRESULT>(text.size());
    }
    case TB_GETBUTTONINFOW:
      return GetButtonInfo(*state, wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam));
    case TB_SETBUTTONINFOW:
      return SetButtonInfo(*state, hwnd, wParam, reinterpret_cast<const TBBUTTONINFOW*>(lParam));
    case TB_GETITEMRECT:
    case TB_GETRECT: {
      const auto index = message == TB_GETRECT ? state->IndexOf(static_cast<int>(wParam))
                                               : static_cast<int>(wParam);
      auto* target = reinterpret_cast<RECT*>(lParam);
      const auto rect = index >= 0 ? state->Rect(static_cast<std::size_t>(index)) : std::nullopt;
      if (!rect || !target) return FALSE;
      *target = *rect;
      return TRUE;
    }
    case TB_GETMAXSIZE:
    case TB_GETIDEALSIZE: {
      auto* size = reinterpret_cast<SIZE*>(lParam);
      if (!size) return FALSE;
      size->cx = state->TotalWidth();
      size->cy = state->RowHeight();
      return TRUE;
    }
    case TB_SETSTATE: {
      const int index = state->IndexOf(static_cast<int>(wParam));
      if (index < 0) return FALSE;
      state->buttons[static_cast<std::size_t>(index)].state =
          static_cast<BYTE>(LOWORD(static_cast<DWORD_PTR>(lParam)));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case TB_GETSTATE: {
      const int index = state->IndexOf(static_cast<int>(wParam));
      return index < 0 ? -1 : state->buttons[static_cast<std::size_t>(index)].state;
    }
    case TB_CHECKBUTTON:
      return SetButtonBit(*state, hwnd, wParam, TBSTATE_CHECKED,
                          LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_ENABLEBUTTON:
      return SetButtonBit(*state, hwnd, wParam, TBSTATE_ENABLED,
                          LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_HIDEBUTTON:
      return SetButtonBit(*state, hwnd, wParam, TBSTATE_HIDDEN,
                          LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_PRESSBUTTON:
      return SetButtonBit(*state, hwnd, wParam, TBSTATE_PRESSED,
                          LOWORD(static_cast<DWORD_PTR>(lParam)) != 0);
    case TB_ISBUTTONCHECKED:
      return ButtonBit(*state, wParam, TBSTATE_CHECKED);
    case TB_ISBUTTONENABLED:
      return ButtonBit(*state, wParam, TBSTATE_ENABLED);
    case TB_ISBUTTONHIDDEN:
      return ButtonBit(*state, wParam, TBSTATE_HIDDEN);
    case TB_ISBUTTONPRESSED:
      return ButtonBit(*state, wParam, TBSTATE_PRESSED);
    // Controls placed on the toolbar (a search box, an edit field) talk to
    // their parent, the toolbar; it hands that on to its notify window, as
    // the real control does.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      return state->notifyParent ? SendMessageW(state->notifyParent, message, wParam, lParam) : 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// The tooltip window only keeps the texts set for each tool; showing them is
// the hover helper's job.
class TooltipState : public ControlState {
 public:
  std::map<std::pair<HWND, UINT_PTR>, std::u16string> texts;
};

LRESULT CALLBACK TooltipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) AttachControlState(hwnd, std::make_shared<TooltipState>());
  auto state = ControlStateOf<TooltipState>(hwnd);
  const auto* tool = reinterpret_cast<const TOOLINFOW*>(lParam);
  // Tool messages accept every TOOLINFOW size since the first, which ended
  // before lParam; anything shorter is refused.
  const bool toolMessage = message == TTM_UPDATETIPTEXTW || message == TTM_GETTEXTW;
  if (toolMessage && (!tool || tool->cbSize < offsetof(TOOLINFOW, lParam))) return 0;
  if (state && tool && message == TTM_UPDATETIPTEXTW) {
    if (tool->lpszText == LPSTR_TEXTCALLBACKW || !tool->lpszText) {
      state->texts.erase({tool->hwnd, tool->uId});
    } else {
      state->texts[{tool->hwnd, tool->uId}] = tool->lpszText;
    }
    return 0;
  }
  if (state && message == TTM_GETTEXTW) {
    auto* query = reinterpret_cast<TOOLINFOW*>(lParam);
    auto it = query ? state->texts.find({query->hwnd, query->uId}) : state->texts.end();
    if (it == state->texts.end() || !query->lpszText) return 0;
    const auto count = std::min<std::size_t>(it->second.size(), wParam ? wParam - 1 : 79);
    std::copy_n(it->second.data(), count, query->lpszText);
    query->lpszText[count] = 0;
    return static_cast<LRESULT>(count);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool SendDropDown(HWND toolbar, const ToolbarState& state, int index) {
  NMTOOLBARW notify{};
  notify.hdr.hwndFrom = toolbar;
  notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(toolbar));
  notify.hdr.code = TBN_DROPDOWN;
  notify.iItem = state.buttons[static_cast<std::size_t>(index)].id;
  notify.rcButton = state.Rect(static_cast<std::size_t>(index)).value_or(RECT{});
  SendMessageW(toolbar, TB_PRESSBUTTON, static_cast<WPARAM>(notify.iItem), TRUE);
  SendMessageW(state.notifyParent, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
  SendMessageW(toolbar, TB_PRESSBUTTON, static_cast<WPARAM>(notify.iItem), FALSE);
  return true;
}

// The button the user can reach, or -1.
int ClickableIndex(const ToolbarState& state, int commandId) {
  const int index = state.IndexOf(commandId);
  if (index < 0) return -1;
  const auto& button = state.buttons[static_cast<std::size_t>(index)];
  if ((button.style & BTNS_SEP) || (button.state & TBSTATE_HIDDEN) ||
      !(button.state & TBSTATE_ENABLED))
    return -1;
  return index;
}

}  // namespace

namespace platform::ui::detail {

void RegisterToolbarClasses() {
  RegisterControlClass(TOOLBARCLASSNAMEW, ToolbarProc, CS_DBLCLKS);
  RegisterControlClass(TOOLTIPS_CLASSW, TooltipProc, 0);
}

}  // namespace platform::ui::detail

namespace platform::ui {

std::optional<ToolbarView> InspectToolbar(HWND toolbar) {
  auto state = StateOf(toolbar);
  if (!state) return std::nullopt;
  ToolbarView view;
  view.style = static_cast<DWORD>(GetWindowLongPtrW(toolbar, GWL_STYLE));
  view.extendedStyle = state->extendedStyle;
  view.normalImages = state->normalImages;
  view.disabledImages = state->disabledImages;
  view.rowHeight = state->RowHeight();
  for (std::size_t i = 0; i < state->buttons.size(); ++i) {
    const auto& button = state->buttons[i];
    ToolbarButtonView out;
    out.id = button.id;
    out.style = button.style;
    out.state = button.state;
    out.text = button.text;
    out.image = button.image;
    out.width = state->Width(button);
    out.rect = state->Rect(i).value_or(RECT{});
    out.textShown = state->TextShown(button);
    view.buttons.push_back(std::move(out));
  }
  return view;
}

bool ClickToolbarButton(HWND toolbar, int commandId) {
  auto state = StateOf(toolbar);
  if (!state) return false;
  const int index = ClickableIndex(*state, commandId);
  if (index < 0) return false;
  auto& button = state->buttons[static_cast<std::size_t>(index)];
  const bool splitArrowDrawn =
      (button.style & BTNS_DROPDOWN) && (state->extendedStyle & TBSTYLE_EX_DRAWDDARROWS);
  if ((button.style & BTNS_WHOLEDROPDOWN) || ((button.style & BTNS_DROPDOWN) && !splitArrowDrawn)) {
    return SendDropDown(toolbar, *state, index);
  }
  if (button.style & BTNS_CHECK)
    SendMessageW(toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(commandId),
                 !(button.state & TBSTATE_CHECKED));
  SendMessageW(state->notifyParent, WM_COMMAND,
               MAKEWPARAM(static_cast<WORD>(commandId), BN_CLICKED),
               reinterpret_cast<LPARAM>(toolbar));
  return true;
}

bool ClickToolbarDropDownArrow(HWND toolbar, int commandId) {
  auto state = StateOf(toolbar);
  if (!state) return false;
  const int index = ClickableIndex(*state, commandId);
  if (index < 0) return false;
  const auto& button = state->buttons[static_cast<std::size_t>(index)];
  if (!(button.style & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN))) return false;
  return SendDropDown(toolbar, *state, index);
}

std::u16string HoverToolbarButton(HWND toolbar, int commandId) {
  auto state = StateOf(toolbar);
  if (!state || state->IndexOf(commandId) < 0 || !state->tooltips) return {};
  if (auto tips = ControlStateOf<TooltipState>(state->tooltips)) {
    auto it = tips->texts.find({toolbar, static_cast<UINT_PTR>(commandId)});
    if (it != tips->texts.end()) return it->second;
  }
  NMTTDISPINFOW request{};
  request.hdr.hwndFrom = state->tooltips;
  request.hdr.idFrom = static_cast<UINT_PTR>(commandId);
  request.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(state->notifyParent, WM_NOTIFY, request.hdr.idFrom,
               reinterpret_cast<LPARAM>(&request));
  if (request.lpszText && request.lpszText != LPSTR_TEXTCALLBACKW) return request.lpszText;
  return request.szText;
}

}  // namespace platform::ui
