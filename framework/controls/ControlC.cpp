#include "framework/controls/ControlC.h"

#include <algorithm>

#include "framework/command/CommandI.h"
#include "framework/controls/ControlStyle.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/text/CodePage.h"

namespace framework {

ControlC::ControlC(CommandI* command, std::string caption)
    : command_(command),
      styleWord_(command == nullptr ? style::kNoOwnCommand : 0),
      caption_(std::move(caption)) {
  if (command_ != nullptr) command_->AddObserver(this);
}

ControlC::~ControlC() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (command_ != nullptr) command_->RemoveObserver(this);
}

ControlC* ControlC::AsControl() { return this; }

void ControlC::RequestLayout() {
  if (toolband_ != nullptr) toolband_->LayoutControls();
}

void ControlC::SetDisplayWord(std::uint32_t displayWord) {
  displayWord_ = displayWord;
  RequestLayout();
}

void ControlC::SetStyleBits(std::uint32_t bits) {
  styleWord_ = bits == style::kClearAll ? 0 : styleWord_ | bits;
  RequestLayout();
}

void ControlC::SetWidth(int width) { width_ = std::clamp(width, 0, kMaximumWidth); }

void ControlC::SetRowHeight(int height) {
  rowHeight_ = height;
  top_ = height < kDefaultRowHeight + 1 ? 0 : (height - kDefaultRowHeight) / 2;
  RequestLayout();
}

void ControlC::SetImageResourceId(int resourceId) { imageResourceId_ = resourceId; }
void ControlC::SetImageIndex(int index) { imageIndex_ = index; }
void ControlC::SetImageFileName(const std::string& fileName) { imageFileName_ = fileName; }
void ControlC::SetTooltipText(const std::string& text) { tooltip_ = text; }
void ControlC::SetParameterText(const std::string& text) { parameter_ = text; }

void ControlC::SetHotKey(const std::string& text) {
  hotKeyText_ = text;
  hotKey_ = ParseHotKey(text);
}

void ControlC::SetElement(const platform::XmlElement& element) { element_ = element; }

CommandI* ControlC::Command() const { return command_; }

const platform::XmlElement* ControlC::Element() const { return element_ ? &*element_ : nullptr; }

void ControlC::SetTop(int top) { top_ = top; }

bool ControlC::CreateAsMenuItem(ToolBandI* toolband, ControlC* parentMenu, int, int id) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  toolband_ = toolband;
  parentMenu_ = parentMenu;
  controlId_ = id;
  return true;
}

bool ControlC::CreateOnToolbar(ToolBandI* toolband, int id) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  toolband_ = toolband;
  parentMenu_ = nullptr;
  controlId_ = id;
  return true;
}

bool ControlC::CreateControlWindow(HWND, int) { return true; }
void ControlC::Place(int, int) {}

ControlI* ControlC::FindById(int id) { return id == controlId_ ? this : nullptr; }

void ControlC::Execute() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (command_ != nullptr) command_->ToggleAndExecute(this);
}

void ControlC::UpdateVisibility() {}

void ControlC::HandParameterToCommand() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (command_ != nullptr) command_->TextNotice(parameter_);
}

int ControlC::HandleHotKey(bool alt, bool ctrl, bool shift, int key) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (hotKey_ == framework::HotKey{alt, ctrl, shift, key}) return Activate() ? 1 : 0;
  return key & ~0xFF;
}

bool ControlC::Activate() { return false; }

int ControlC::Width() const { return width_; }
int ControlC::RowHeight() const { return rowHeight_; }
bool ControlC::IsAutoSize() const { return (styleWord_ & style::kAutoSize) != 0; }

std::string ControlC::DisplayText() {
  // Once the command speaks for itself, the layout's caption is gone for
  // good: a command that later empties its text shows an empty button.
  if (command_ != nullptr) {
    std::string text = command_->Text();
    if (!text.empty()) {
      caption_.clear();
      return text;
    }
  }
  return caption_;
}

std::string ControlC::TooltipText() const {
  if (command_ != nullptr) {
    std::string text = command_->SecondaryText();
    if (!text.empty()) return text;
  }
  return tooltip_;
}

const platform::Bitmap* ControlC::Bitmap() {
  if (command_ != nullptr && command_->ImageBitmap() != nullptr) {
    imageResourceId_ = 0;
    imageFileName_.clear();
    ownBitmap_.reset();
    return command_->ImageBitmap();
  }
  if (!ownBitmapLoaded_) {
    ownBitmapLoaded_ = true;
    if (imageResourceId_ != 0) ownBitmap_ = platform::LoadBitmapResource(imageResourceId_);
    if (!ownBitmap_ && !imageFileName_.empty()) {
      const std::string directory = toolband_ != nullptr ? toolband_->BaseDirectory() : "";
      ownBitmap_ = platform::LoadBitmapFile(directory + "\\" + imageFileName_);
    }
  }
  return ownBitmap_ ? &*ownBitmap_ : nullptr;
}

std::uint32_t ControlC::MaskColour() const {
  return command_ == nullptr ? 0 : command_->ImageMaskColour();
}

int ControlC::ImageResourceId() const {
  if (command_ != nullptr && command_->ImageResourceId() != 0) return command_->ImageResourceId();
  return imageResourceId_;
}

std::string ControlC::ImageFileName() const { return imageFileName_; }
std::uint32_t ControlC::StyleWord() const { return styleWord_; }
std::uint32_t ControlC::DisplayWord() const { return displayWord_; }
int ControlC::ControlId() const { return controlId_; }

bool ControlC::HasMnemonic() { return false; }

char ControlC::Mnemonic() {
  if (!HasMnemonic()) return 0;
  const std::string text = platform::AnsiToLower(DisplayText());
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1];
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

int ControlC::ImageIndex() const { return imageIndex_; }
bool ControlC::IsSeparator() const { return false; }
bool ControlC::HasFocus() const { return false; }
bool ControlC::HasOwnWindow() const { return false; }

bool ControlC::CaptionShown() const { return (displayWord_ & display::kCaptionShown) != 0; }

void ControlC::AddToMenu(HMENU, int) {}
void ControlC::MeasureMenuItem(MEASUREITEMSTRUCT&) {}
void ControlC::DrawMenuItem(const DRAWITEMSTRUCT&) {}
void ControlC::OnWindowCommand(WORD) {}
void ControlC::OnWindowDrawItem(const DRAWITEMSTRUCT&) {}
void ControlC::OnWindowMeasureItem(MEASUREITEMSTRUCT&) {}

}  // namespace framework
