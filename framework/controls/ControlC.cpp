#include "framework/controls/ControlC.h"

#include "framework/command/CommandI.h"
#include "framework/controls/ControlStyle.h"

namespace framework {

ControlC::ControlC(CommandI* command, std::string caption)
    : command_(command),
      styleWord_(command == nullptr ? style::kNoOwnCommand : 0),
      caption_(std::move(caption)) {
  if (command_ != nullptr) command_->AddObserver(this);
}

ControlC::~ControlC() {
  if (command_ != nullptr) command_->RemoveObserver(this);
}

ControlC* ControlC::AsControl() { return this; }

void ControlC::SetDisplayWord(std::uint32_t displayWord) { displayWord_ = displayWord; }

void ControlC::SetStyleBits(std::uint32_t bits) {
  styleWord_ = bits == style::kClearAll ? 0 : styleWord_ | bits;
}

void ControlC::SetWidth(int width) { width_ = width; }

void ControlC::SetRowHeight(int height) {
  rowHeight_ = height;
  top_ = height < kDefaultRowHeight + 1 ? 0 : (height - kDefaultRowHeight) / 2;
}

void ControlC::SetImageResourceId(int resourceId) { imageResourceId_ = resourceId; }
void ControlC::SetImageIndex(int index) { imageIndex_ = index; }
void ControlC::SetImageFileName(const std::string& fileName) { imageFileName_ = fileName; }
void ControlC::SetTooltipText(const std::string& text) { tooltip_ = text; }
void ControlC::SetParameterText(const std::string& text) { parameter_ = text; }
void ControlC::SetHotKey(const std::string& text) { hotKeyText_ = text; }
void ControlC::SetElement(const platform::XmlElement& element) { element_ = element; }

CommandI* ControlC::Command() const { return command_; }

const platform::XmlElement* ControlC::Element() const {
  return element_ ? &*element_ : nullptr;
}

void ControlC::SetTop(int top) { top_ = top; }

bool ControlC::CreateAsMenuItem(ToolBandI* toolband, ControlC* parentMenu, int, int id) {
  toolband_ = toolband;
  parentMenu_ = parentMenu;
  controlId_ = id;
  return true;
}

bool ControlC::CreateOnToolbar(ToolBandI* toolband, int id) {
  toolband_ = toolband;
  parentMenu_ = nullptr;
  controlId_ = id;
  return true;
}

ControlI* ControlC::FindById(int id) { return id == controlId_ ? this : nullptr; }

void ControlC::Execute() {
  if (command_ != nullptr) command_->ToggleAndExecute(this);
}

void ControlC::HandParameterToCommand() {
  if (command_ != nullptr) command_->TextNotice(parameter_);
}

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
int ControlC::ImageIndex() const { return imageIndex_; }

}  // namespace framework
