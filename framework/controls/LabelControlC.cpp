#include "framework/controls/LabelControlC.h"

#include "framework/command/CommandI.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageQueue.h"

namespace framework {

namespace {
constexpr int kLabelLeftInset = 4;
constexpr int kLabelRightInset = 6;
constexpr int kTextHeight = 12;
constexpr int kCentreAbove = 14;
// Half the text height plus one: the text sits just above the middle.
constexpr int kAboveMiddle = 7;
}  // namespace

std::string LabelControlC::LabelText() const {
  if (Command() != nullptr) {
    std::string text = Command()->Text();
    if (!text.empty()) return text;
  }
  return Caption();
}

int LabelControlC::NeededWidth() const {
  if (Width() > 0) return Width();
  return kLabelLeftInset + platform::ui::TextWidth(platform::AnsiToWide(LabelText())) + kLabelRightInset;
}

bool LabelControlC::CreateControlWindow(HWND parent, int) {
  const std::u16string text = platform::AnsiToWide(LabelText());
  window_.Reset(CreateWindowExW(
      0, WC_STATICW, platform::AsWchar(text), WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLabelWindowId)), nullptr, nullptr));
  if (!window_) return false;
  if (ToolBand() != nullptr) {
    SendMessageW(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(ToolBand()->Font()), 0);
  }
  return true;
}

void LabelControlC::Place(int x, int width) {
  if (!window_) return;
  const int height = RowHeight();
  const int y = height > kCentreAbove ? height / 2 - kAboveMiddle : Top();
  MoveWindow(window_.Get(), x + kLabelLeftInset, y, width - kLabelLeftInset - kLabelRightInset, kTextHeight, TRUE);
}

void LabelControlC::OnTextChanged() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (!window_) return;
  const std::u16string text = platform::AnsiToWide(LabelText());
  SetWindowTextW(window_.Get(), platform::AsWchar(text));
  if (ToolBand() != nullptr) ToolBand()->LayoutControls();
}

}  // namespace framework
