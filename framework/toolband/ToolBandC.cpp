#include "framework/toolband/ToolBandC.h"

#include <algorithm>
#include <cstdint>

#include "framework/command/CommandC.h"
#include "framework/controls/ControlKinds.h"
#include "framework/controls/ControlStyle.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/trace/Trace.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Rebar.h"
#include "platform/ui/Subclass.h"

namespace framework {

namespace {

constexpr UINT_PTR kToolbarSubclassId = 1;
constexpr int kInitialHeight = 22;
constexpr const char16_t* kBrowserFrameClass = u"IEFrame";
constexpr const char16_t* kDocumentWindowClass = u"Internet Explorer_Server";

bool IsOn(const ControlI& control) { return (control.StyleWord() & style::kDisabled) == 0; }

bool IsButtonLike(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kMenu;
}

bool IsPlaceholder(ControlKind kind) {
  return kind == ControlKind::kEdit || kind == ControlKind::kReadOnly ||
         kind == ControlKind::kComboBox;
}

bool IsLeadingImageMenu(const ControlI& control) {
  return control.Kind() == ControlKind::kMenu &&
         (control.StyleWord() & style::kLeadingImageMenu) != 0;
}

BYTE ButtonStyleOf(const ControlI& control) {
  const std::uint32_t word = control.StyleWord();
  BYTE buttonStyle = 0;
  switch (control.Kind()) {
    case ControlKind::kSeparator:
      return BTNS_SEP;
    case ControlKind::kLabel:
      return BTNS_SHOWTEXT;
    case ControlKind::kEdit:
    case ControlKind::kReadOnly:
    case ControlKind::kComboBox:
      return BTNS_SEP;
    case ControlKind::kMenu:
      buttonStyle = (word & style::kNoOwnCommand) ? BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE
                                                  : BTNS_DROPDOWN | BTNS_AUTOSIZE;
      break;
    case ControlKind::kButton:
      buttonStyle = BTNS_AUTOSIZE;
      break;
  }
  if ((control.DisplayWord() & display::kCaptionShown) || control.ImageIndex() == kNoImageIndex) {
    buttonStyle |= BTNS_SHOWTEXT;
  }
  if (word & style::kToggle) buttonStyle |= BTNS_CHECK;
  return buttonStyle;
}

HWND FindDescendant(HWND parent, const char16_t* className) {
  for (HWND child = FindWindowExW(parent, nullptr, nullptr, nullptr); child != nullptr;
       child = FindWindowExW(parent, child, nullptr, nullptr)) {
    if (platform::ui::WindowClassName(child) == className) return child;
    if (HWND found = FindDescendant(child, className)) return found;
  }
  return nullptr;
}

}  // namespace

ToolBandC::ToolBandC(platform::ComPtr<IWebBrowser2> browser, HostData hostData)
    : browser_(std::move(browser)), hostData_(hostData) {}

ToolBandC::~ToolBandC() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  RemoveAllControls();
  rebarHook_.Release();
  if (toolbar_) RemoveWindowSubclass(toolbar_.Get(), &ToolBandC::ToolbarProc, kToolbarSubclassId);
  leadingMenuToolbar_.Reset();
  images_.Reset(toolbar_.Get());
  toolbar_.Reset();
}

bool ToolBandC::Create(HWND parent) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::TraceScope trace("ToolBandC::Create");
  INITCOMMONCONTROLSEX init{};
  init.dwSize = sizeof(init);
  init.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES;
  InitCommonControlsEx(&init);
  RECT parentArea{};
  if (parent != nullptr) GetClientRect(parent, &parentArea);
  toolbar_.Reset(CreateWindowExW(0, TOOLBARCLASSNAMEW, platform::AsWchar(u""), kToolbarStyle, 0, 0,
                                 parentArea.right - parentArea.left, kInitialHeight, parent,
                                 nullptr, nullptr, nullptr));
  if (!toolbar_) return false;
  SendMessageW(toolbar_.Get(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar_.Get(), TB_SETEXTENDEDSTYLE, 0, kToolbarExtendedStyle);
  LOGFONTW logFont{};
  HGDIOBJ toolbarFont = reinterpret_cast<HGDIOBJ>(SendMessageW(toolbar_.Get(), WM_GETFONT, 0, 0));
  if (GetObjectW(toolbarFont, sizeof(logFont), &logFont) != 0) {
    font_.Reset(CreateFontIndirectW(&logFont));
    SendMessageW(toolbar_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  }
  SetWindowSubclass(toolbar_.Get(), &ToolBandC::ToolbarProc, kToolbarSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  if (parent != nullptr) rebarHook_.Install(GetParent(parent), this);
  return reflection_.Create(toolbar_.Get());
}

void ToolBandC::AddControl(std::unique_ptr<ControlI> control) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  controls_.push_back(std::move(control));
  ControlI& added = *controls_.back();
  const int index = static_cast<int>(controls_.size()) - 1;
  added.CreateOnToolbar(this, NewControlId());
  if (!toolbar_) return;
  LoadImages(added);
  added.CreateControlWindow(toolbar_.Get(), added.ControlId());
  if (IsOn(added)) InsertButton(added, index);
  if (!sizePosted_) {
    sizePosted_ = true;
    PostMessageW(toolbar_.Get(), WM_SIZE, 0, 0);
  }
  LayoutControls();
}

const std::vector<std::unique_ptr<ControlI>>& ToolBandC::Controls() const { return controls_; }

ControlCollectionI& ToolBandC::TopLevelControls() { return *this; }

void ToolBandC::LoadImages(ControlI& control) {
  if (!IsButtonLike(control.Kind()) || IsLeadingImageMenu(control)) return;
  const bool hadReference = control.ImageIndex() != kNoImageIndex;
  const int index = AddControlImage(control);
  // An image that cannot be loaded leaves the button without one, so its
  // text shows instead of an empty square.
  if (index != kNoImageIndex || hadReference) control.SetImageIndex(index);
}

int ToolBandC::AddControlImage(ControlI& control) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  const platform::Bitmap* bitmap = control.Bitmap();
  if (bitmap == nullptr || !toolbar_) return kNoImageIndex;
  const std::uint32_t mask =
      control.Command() != nullptr ? control.MaskColour() : CommandC::kDefaultMaskColour;
  const int index = images_.Add(toolbar_.Get(), *bitmap, mask);
  return index < 0 ? kNoImageIndex : index;
}

int ToolBandC::VisiblePosition(int index) const {
  return static_cast<int>(std::count_if(controls_.begin(), controls_.begin() + index,
                                        [](const auto& control) { return IsOn(*control); }));
}

void ToolBandC::InsertButton(ControlI& control, int index) {
  const ControlKind kind = control.Kind();
  const int id = control.ControlId();
  std::u16string text;
  TBBUTTON button{};
  button.idCommand = id;
  button.fsStyle = ButtonStyleOf(control);
  button.fsState =
      control.Command() != nullptr && control.Command()->IsEnabled() ? TBSTATE_ENABLED : 0;
  if (IsButtonLike(kind)) {
    text = platform::AnsiToWide(control.DisplayText());
    button.iBitmap = control.ImageIndex();
  } else if (kind == ControlKind::kLabel) {
    button.iBitmap = I_IMAGENONE;
  } else if (IsPlaceholder(kind)) {
    button.iBitmap = control.Width();
  }
  if (IsLeadingImageMenu(control)) {
    button.iBitmap = I_IMAGENONE;
    button.fsStyle = BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE;
    text.clear();
  }
  button.iString = reinterpret_cast<INT_PTR>(text.c_str());
  SendMessageW(toolbar_.Get(), TB_INSERTBUTTONW, static_cast<WPARAM>(VisiblePosition(index)),
               reinterpret_cast<LPARAM>(&button));
  if ((control.StyleWord() & style::kToggle) && control.Command() != nullptr &&
      control.Command()->Checked() != 0) {
    SendMessageW(toolbar_.Get(), TB_CHECKBUTTON, static_cast<WPARAM>(id), MAKELPARAM(1, 0));
  }

  if (IsLeadingImageMenu(control)) {
    SetButtonWidth(id, CreateLeadingMenuToolbar(control));
  } else if (kind == ControlKind::kLabel) {
    const int width = static_cast<LabelControlC&>(control).NeededWidth();
    control.SetWidth(width);
    SetButtonWidth(id, width);
  } else if (IsButtonLike(kind) && (control.DisplayWord() & display::kCaptionShown)) {
    control.SetWidth(NaturalButtonWidth(id) + kCaptionWidthAllowance);
  }
}

int ToolBandC::CreateLeadingMenuToolbar(ControlI& control) {
  leadingMenuToolbar_.Reset(CreateWindowExW(0, TOOLBARCLASSNAMEW, platform::AsWchar(u""),
                                            kToolbarStyle, 0, 0, 0, kInitialHeight, toolbar_.Get(),
                                            nullptr, nullptr, nullptr));
  if (!leadingMenuToolbar_) return 0;
  HWND small = leadingMenuToolbar_.Get();
  SendMessageW(small, TB_SETEXTENDEDSTYLE, 0, kToolbarExtendedStyle);
  SendMessageW(small, TB_SETPARENT, reinterpret_cast<WPARAM>(reflection_.Window()), 0);
  TBBUTTON button{};
  button.idCommand = control.ControlId();
  button.fsStyle = BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE;
  button.fsState = TBSTATE_ENABLED;
  button.iBitmap = I_IMAGENONE;
  if (const platform::Bitmap* bitmap = control.Bitmap()) {
    leadingMenuImages_.Reset(
        ImageList_Create(bitmap->width, bitmap->height, ILC_COLOR32 | ILC_MASK, 0, 1));
    const std::uint32_t mask =
        control.Command() != nullptr ? control.MaskColour() : CommandC::kDefaultMaskColour;
    button.iBitmap = AddMaskedBitmap(leadingMenuImages_.Get(), *bitmap, mask);
    SendMessageW(small, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(leadingMenuImages_.Get()));
  }
  SendMessageW(small, TB_INSERTBUTTONW, 0, reinterpret_cast<LPARAM>(&button));
  SIZE size{};
  SendMessageW(small, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  MoveWindow(small, 0, 0, size.cx, size.cy, TRUE);
  return size.cx;
}

int ToolBandC::NaturalButtonWidth(int id) {
  RECT rect{};
  if (!SendMessageW(toolbar_.Get(), TB_GETRECT, static_cast<WPARAM>(id),
                    reinterpret_cast<LPARAM>(&rect))) {
    return 0;
  }
  return rect.right - rect.left;
}

void ToolBandC::SetButtonWidth(int id, int width) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_SIZE;
  info.cx = static_cast<WORD>(std::clamp(width, 0, 0xFFFF));
  SendMessageW(toolbar_.Get(), TB_SETBUTTONINFOW, static_cast<WPARAM>(id),
               reinterpret_cast<LPARAM>(&info));
}

void ToolBandC::ShowControl(int index, bool show) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (index < 0 || index >= static_cast<int>(controls_.size()) || !toolbar_) return;
  ControlI& control = *controls_[static_cast<std::size_t>(index)];
  // Showing a shown control or hiding a hidden one changes nothing; it must
  // not leave a second button or delete another control's.
  if (IsOn(control) == show) return;
  if (show) {
    const std::uint32_t word = control.StyleWord() & ~style::kDisabled;
    control.SetStyleBits(style::kClearAll);
    control.SetStyleBits(word);
    InsertButton(control, index);
  } else {
    control.SetStyleBits(style::kDisabled);
    const LRESULT button = SendMessageW(toolbar_.Get(), TB_COMMANDTOINDEX,
                                        static_cast<WPARAM>(control.ControlId()), 0);
    if (button >= 0) SendMessageW(toolbar_.Get(), TB_DELETEBUTTON, static_cast<WPARAM>(button), 0);
    if (focused_ == &control) focused_ = nullptr;
  }
  control.UpdateVisibility();
  if (IsLeadingImageMenu(control) && leadingMenuToolbar_) {
    ShowWindow(leadingMenuToolbar_.Get(), show ? SW_SHOWNA : SW_HIDE);
  }
  AutoSize(0);
  LayoutControls();
}

void ToolBandC::RemoveAllControls() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::TraceScope trace("ToolBandC::RemoveAllControls");
  focused_ = nullptr;
  lastHotKeyTaker_ = nullptr;
  if (toolbar_) {
    while (SendMessageW(toolbar_.Get(), TB_BUTTONCOUNT, 0, 0) > 0) {
      SendMessageW(toolbar_.Get(), TB_DELETEBUTTON, 0, 0);
    }
  }
  // A control's window may report to the toolbar while it goes (a focused
  // edit field says it lost the focus), so the list is emptied first and
  // the controls are destroyed outside it.
  std::vector<std::unique_ptr<ControlI>> doomed = std::move(controls_);
  controls_.clear();
  doomed.clear();
  leadingMenuToolbar_.Reset();
  leadingMenuImages_.Reset();
  if (toolbar_) {
    images_.Reset(toolbar_.Get());
    SendMessageW(toolbar_.Get(), TB_SETEXTENDEDSTYLE, 0, kToolbarExtendedStyle);
  }
}

void ToolBandC::AutoSize(int width) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (!toolbar_) return;
  int available = width;
  if (available == 0) {
    RECT client{};
    GetClientRect(toolbar_.Get(), &client);
    available = client.right - client.left;
  }
  if (available <= 0) return;
  // Each width is bounded (ControlC::kMaximumWidth), their number is not.
  std::int64_t sum = 0;
  int autoSizeCount = 0;
  for (const auto& control : controls_) {
    if (!IsOn(*control)) continue;
    sum += control->Kind() == ControlKind::kSeparator
               ? control->Width()
               : std::max(control->Width(), kMinimumCountedWidth);
    if (control->IsAutoSize()) ++autoSizeCount;
  }
  const int share = autoSizeCount > 0 && sum < available
                        ? static_cast<int>((available - sum) / autoSizeCount)
                        : 0;
  for (const auto& control : controls_) {
    if (!IsOn(*control) || !control->IsAutoSize()) continue;
    const int id = control->ControlId();
    if (IsButtonLike(control->Kind()) && !IsLeadingImageMenu(*control)) {
      SetButtonWidth(id, 0);  // back to the width the toolbar gives it
      if (share > 0) SetButtonWidth(id, NaturalButtonWidth(id) + share);
    } else {
      SetButtonWidth(id, control->Width() + share);
    }
  }
}

void ToolBandC::LayoutControls() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (!toolbar_ || layingOut_) return;
  layingOut_ = true;
  for (const auto& control : controls_) {
    RECT rect{};
    if (!IsOn(*control) ||
        !SendMessageW(toolbar_.Get(), TB_GETRECT, static_cast<WPARAM>(control->ControlId()),
                      reinterpret_cast<LPARAM>(&rect))) {
      continue;
    }
    ControlC* placed = control->AsControl();
    placed->SetToolbarRect(rect);
    if (control->HasOwnWindow()) control->Place(rect.left, rect.right - rect.left);
    if (IsLeadingImageMenu(*control) && leadingMenuToolbar_) {
      MoveWindow(leadingMenuToolbar_.Get(), rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, TRUE);
    }
  }
  layingOut_ = false;
}

bool ToolBandC::DispatchHotKey(bool alt, bool ctrl, bool shift, int key) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  lastHotKeyTaker_ = nullptr;
  for (const auto& control : controls_) {
    if (control->HandleHotKey(alt, ctrl, shift, key) != 0) {
      lastHotKeyTaker_ = control.get();
      return true;
    }
  }
  return false;
}

ControlI* ToolBandC::FindControl(int id) const {
  for (const auto& control : controls_) {
    if (ControlI* found = control->FindById(id)) return found;
  }
  return nullptr;
}

void ToolBandC::OnButtonCommand(int id) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (ControlI* control = FindControl(id)) control->Execute();
}

LRESULT ToolBandC::OnToolbarNotify(const NMHDR& header) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (header.code == TBN_DROPDOWN) {
    const auto& notice = reinterpret_cast<const NMTOOLBARW&>(header);
    if (ControlI* control = FindControl(notice.iItem)) {
      RECT rect = notice.rcButton;
      MapWindowPoints(header.hwndFrom, nullptr, reinterpret_cast<POINT*>(&rect), 2);
      OpenMenuOf(*control, rect);
    }
    return TBDDRET_DEFAULT;
  }
  if (header.code == TTN_GETDISPINFOW) {
    auto& request = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    if (ControlI* control = FindControl(static_cast<int>(header.idFrom))) {
      const std::u16string text = platform::AnsiToWide(control->TooltipText());
      const std::size_t count = std::min(text.size(), std::size(request.szText) - 1);
      std::copy_n(text.begin(), count, request.szText);
      request.szText[count] = 0;
    }
  }
  return 0;
}

void ToolBandC::OpenMenuOf(ControlI& control, const RECT& buttonRect) {
  if (control.Kind() != ControlKind::kMenu) return;
  static_cast<MenuControlC&>(control).OpenMenu(toolbar_.Get(), buttonRect.left, buttonRect.bottom);
}

LRESULT ToolBandC::ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR self) {
  auto* toolband = reinterpret_cast<ToolBandC*>(self);
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) {
        if (ControlI* control = toolband->FindControl(LOWORD(wParam))) {
          control->AsControl()->OnWindowCommand(HIWORD(wParam));
          return 0;
        }
      }
      break;
    case WM_MEASUREITEM: {
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      const bool menu = measure.CtlType == ODT_MENU;
      if (ControlI* control =
              toolband->FindControl(static_cast<int>(menu ? measure.itemID : measure.CtlID))) {
        if (menu) {
          control->AsControl()->MeasureMenuItem(measure);
        } else {
          control->AsControl()->OnWindowMeasureItem(measure);
        }
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const bool menu = draw.CtlType == ODT_MENU;
      if (ControlI* control =
              toolband->FindControl(static_cast<int>(menu ? draw.itemID : draw.CtlID))) {
        if (menu) {
          control->AsControl()->DrawMenuItem(draw);
        } else {
          control->AsControl()->OnWindowDrawItem(draw);
        }
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
      // Labels are drawn straight onto the toolbar's background.
      if (platform::ui::WindowClassName(reinterpret_cast<HWND>(lParam)) ==
          platform::AsChar16(WC_STATICW)) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      }
      break;
    case WM_SIZE: {
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      toolband->AutoSize(LOWORD(static_cast<DWORD_PTR>(lParam)));
      toolband->LayoutControls();
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

const std::string& ToolBandC::BaseDirectory() const { return baseDirectory_; }
void ToolBandC::SetBaseDirectory(std::string directory) { baseDirectory_ = std::move(directory); }
const std::string& ToolBandC::Name() const { return name_; }
void ToolBandC::SetName(std::string name) { name_ = std::move(name); }
const std::string& ToolBandC::Company() const { return company_; }
void ToolBandC::SetCompany(std::string company) { company_ = std::move(company); }

const std::shared_ptr<platform::XmlDocument>& ToolBandC::LayoutDocument() const {
  return layoutDocument_;
}

void ToolBandC::SetLayoutDocument(std::shared_ptr<platform::XmlDocument> document) {
  layoutDocument_ = std::move(document);
}

void ToolBandC::PresentForFirstTime(const std::string& bandClassIdText) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::TraceScope trace("ToolBandC::PresentForFirstTime");
  presentedBandClassIdText_ = bandClassIdText;
  HWND rebar = rebarHook_.Rebar();
  if (rebar == nullptr) return;
  const int band =
      platform::ui::FindRebarBandByClassId(rebar, platform::AnsiToWide(bandClassIdText));
  if (band < 0) return;
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_STYLE;
  if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(band),
                    reinterpret_cast<LPARAM>(&info))) {
    return;
  }
  info.fStyle |= RBBS_BREAK;
  SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info));
}

HWND ToolBandC::ToolbarWindow() const { return toolbar_.Get(); }
HFONT ToolBandC::Font() const {
  return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void ToolBandC::ControlFocusGained(ControlI* control) { focused_ = control; }

void ToolBandC::ControlFocusLost(ControlI* control) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (focused_ == control) focused_ = nullptr;
}

void ToolBandC::GiveFocusBack() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (!toolbar_) return;
  HWND frame = GetAncestor(toolbar_.Get(), GA_ROOT);
  if (frame == nullptr || platform::ui::WindowClassName(frame) != kBrowserFrameClass) return;
  if (HWND document = FindDescendant(frame, kDocumentWindowClass)) SetFocus(document);
}

int ToolBandC::NewControlId() { return nextControlId_++; }

}  // namespace framework
