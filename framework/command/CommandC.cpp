#include "framework/command/CommandC.h"

#include <algorithm>

#include "framework/command/CommandObserverI.h"
#include "framework/command/TypedTextSourceI.h"
#include "framework/controls/ElementAttribute.h"

namespace framework {

CommandC::CommandC(std::string name) : name_(std::move(name)) {}

CommandC::~CommandC() = default;

void CommandC::AddObserver(CommandObserverI* observer) { observers_.push_back(observer); }

void CommandC::RemoveObserver(CommandObserverI* observer) { std::erase(observers_, observer); }

void CommandC::TextNotice(const std::string& text) { OnTextNotice(text); }

void CommandC::ToggleAndExecute(ControlI* control) {
  // Only exactly 1 counts as checked here: any other value (commands use -1
  // and 2 as markers) becomes 1.
  checked_ = checked_ == 1 ? 0 : 1;
  Execute(control);
  NotifyObservers(&CommandObserverI::OnCheckedChanged);
}

void CommandC::ChooseText(const std::string& text, ControlI* control) {
  typedTextSource_ = nullptr;
  text_ = text;
  const auto match = std::find(items_.begin(), items_.end(), text);
  if (match != items_.end()) selectedIndex_ = static_cast<int>(match - items_.begin());
  ExecuteWithText(text, control);
  NotifyObservers(&CommandObserverI::OnTextChanged);
  NotifyObservers(&CommandObserverI::OnSelectionChanged);
}

void CommandC::DropDownOpening() { OnDropDownOpening(); }
void CommandC::SetTextQuietly(const std::string& text) {
  typedTextSource_ = nullptr;
  text_ = text;
}
void CommandC::FocusLost() { OnFocusLost(); }
void CommandC::ValueNotice(int value) { OnValueNotice(value); }
void CommandC::SecondValueNotice(int value) { OnSecondValueNotice(value); }

bool CommandC::IsEnabled() const { return enabled_; }
int CommandC::ImageResourceId() const { return imageResourceId_; }
const platform::Bitmap* CommandC::ImageBitmap() const {
  return imageBitmap_ ? &*imageBitmap_ : nullptr;
}
Colour CommandC::ImageMaskColour() const { return imageMaskColour_; }
std::string CommandC::Text() const { return CurrentText(); }
std::string CommandC::SecondaryText() const { return secondaryText_; }
const std::vector<std::string>& CommandC::Items() const { return items_; }
std::string CommandC::SecondNameText() const { return secondNameText_; }
int CommandC::Checked() const { return checked_; }

void CommandC::OnTextNotice(const std::string&) {}
void CommandC::OnExecute() {}
void CommandC::OnExecuteWithText(const std::string&) {}
void CommandC::OnDropDownOpening() {}
void CommandC::OnFocusLost() {}
void CommandC::OnValueNotice(int) {}
void CommandC::OnSecondValueNotice(int) {}

void CommandC::Initialise(CommandContainerI* context, platform::ComPtr<IWebBrowser2> browser,
                          HostData hostData) {
  context_ = context;
  browser_ = std::move(browser);
  hostData_ = hostData;
  OnInitialised();
}

void CommandC::OnInitialised() {}

void CommandC::Execute(ControlI* control) {
  ExecuteWithParameter(ElementAttribute(control, "parameter"));
}

void CommandC::ExecuteWithParameter(const std::string&) { OnExecute(); }

void CommandC::ExecuteWithText(const std::string& text, ControlI* control) {
  ExecuteWithTextAndParameter(text, ElementAttribute(control, "parameter"));
}

void CommandC::ExecuteWithTextAndParameter(const std::string& text, const std::string&) {
  OnExecuteWithText(text);
}

void CommandC::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  NotifyObservers(&CommandObserverI::OnEnabledChanged);
}

void CommandC::SetImage(int resourceId, Colour maskColour) {
  if (resourceId == imageResourceId_ && maskColour == imageMaskColour_) return;
  imageResourceId_ = resourceId;
  imageMaskColour_ = maskColour;
  // Observers may still be drawing the old bitmap while they hear about the
  // new one, so the old one is freed only after the notice.
  std::optional<platform::Bitmap> previous = std::move(imageBitmap_);
  imageBitmap_ = platform::LoadBitmapResource(resourceId);
  NotifyObservers(&CommandObserverI::OnImageChanged);
}

void CommandC::SetChecked(int checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  NotifyObservers(&CommandObserverI::OnCheckedChanged);
}

void CommandC::SetText(const std::string& text) {
  if (CurrentText() == text) return;
  text_ = text;
  NotifyObservers(&CommandObserverI::OnTextChanged);
}

void CommandC::SetSelectedIndex(int index) {
  selectedIndex_ = index;
  if (index >= 0 && index < static_cast<int>(items_.size())) {
    typedTextSource_ = nullptr;
    text_ = items_[index];
  }
  NotifyObservers(&CommandObserverI::OnSelectionChanged);
}

void CommandC::FollowTypedText(const TypedTextSourceI* source) { typedTextSource_ = source; }

void CommandC::SettleTypedText(const TypedTextSourceI* source) {
  if (source != nullptr && typedTextSource_ == source) CurrentText();
}

const std::string& CommandC::CurrentText() const {
  if (typedTextSource_ != nullptr) {
    text_ = typedTextSource_->TypedText();
    typedTextSource_ = nullptr;
  }
  return text_;
}

void CommandC::InsertItem(const std::string& text, int position) {
  if (position < 0 || position >= static_cast<int>(items_.size())) {
    items_.push_back(text);
  } else {
    items_.insert(items_.begin() + position, text);
  }
}

void CommandC::ClearItems() {
  SetSelectedIndex(-1);
  items_.clear();
}

void CommandC::NotifyObservers(void (CommandObserverI::*notice)()) {
  // A control may unbind itself (or another) from inside a notice, so walk a
  // copy and skip whoever has left meanwhile.
  const std::vector<CommandObserverI*> snapshot = observers_;
  for (CommandObserverI* observer : snapshot) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) continue;
    (observer->*notice)();
  }
}

}  // namespace framework
