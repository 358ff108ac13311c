// The command base class every built-in, product and plug-in command derives
// from. It keeps the state controls show (enabled, image, text, items,
// selection, checked), tells its observers when that state changes, and
// routes the user's actions to hooks that subclasses override:
//   click            -> Execute(control) -> ExecuteWithParameter -> OnExecute
//   toggle button    -> ToggleAndExecute(control), then as a click
//   text chosen      -> ChooseText -> ExecuteWithText -> ... -> OnExecuteWithText
//
// Slots 27 to 32 of the command table are the virtual operations CommandC
// adds to CommandI, in order: 27 Initialise, 28 OnInitialised, 29 Execute,
// 30 ExecuteWithParameter, 31 ExecuteWithText, 32 ExecuteWithTextAndParameter.
//
// Lives on the browser window's thread; nothing here is locked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/command/CommandI.h"
#include "framework/command/HostData.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"

namespace framework {

class CommandContainerI;
class TypedTextSourceI;

class CommandC : public CommandI {
 public:
  static constexpr Colour kDefaultMaskColour = 0xE2F0F0;

  CommandC() = default;
  explicit CommandC(std::string name);
  ~CommandC() override;
  CommandC(const CommandC&) = delete;
  CommandC& operator=(const CommandC&) = delete;

  // Slots 1 to 26.
  void AddObserver(CommandObserverI* observer) override;
  void RemoveObserver(CommandObserverI* observer) override;
  void TextNotice(const std::string& text) override;
  void ToggleAndExecute(ControlI* control) override;
  void ChooseText(const std::string& text, ControlI* control) override;
  void DropDownOpening() override;
  void SetTextQuietly(const std::string& text) override;
  void FocusLost() override;
  void ValueNotice(int value) override;
  void SecondValueNotice(int value) override;

  bool IsEnabled() const override;
  int ImageResourceId() const override;
  const platform::Bitmap* ImageBitmap() const override;
  Colour ImageMaskColour() const override;
  std::string Text() const override;
  std::string SecondaryText() const override;
  const std::vector<std::string>& Items() const override;
  std::string SecondNameText() const override;
  int Checked() const override;

  void OnTextNotice(const std::string& text) override;
  void OnExecute() override;
  void OnExecuteWithText(const std::string& text) override;
  void OnDropDownOpening() override;
  void OnFocusLost() override;
  void OnValueNotice(int value) override;
  void OnSecondValueNotice(int value) override;

  // Slots 27 to 32.
  virtual void Initialise(CommandContainerI* context, platform::ComPtr<IWebBrowser2> browser,
                          HostData hostData);
  virtual void OnInitialised();
  virtual void Execute(ControlI* control);
  virtual void ExecuteWithParameter(const std::string& parameter);
  virtual void ExecuteWithText(const std::string& text, ControlI* control);
  virtual void ExecuteWithTextAndParameter(const std::string& text, const std::string& parameter);

  // Setters: each notifies the observers only when the value changes.
  void SetEnabled(bool enabled);
  void SetImage(int resourceId, Colour maskColour = kDefaultMaskColour);
  void SetChecked(int checked);
  void SetText(const std::string& text);
  void SetSelectedIndex(int index);
  // position -1 appends; other positions insert before that item, clamped to
  // the end. Observers are not told; callers finish with SetSelectedIndex.
  void InsertItem(const std::string& text, int position = -1);
  void ClearItems();

  // While the user types into a control's window, the command's text is what
  // that window shows. Reading the window at every keystroke would make
  // typing quadratic in the text, so the command reads it only when its text
  // is asked for; any text set on the command ends the following.
  void FollowTypedText(const TypedTextSourceI* source);
  // The source is going away, or is about to change its window's text
  // itself: what it shows, if followed, becomes the command's own text.
  void SettleTypedText(const TypedTextSourceI* source);

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  int SelectedIndex() const { return selectedIndex_; }
  void SetSecondaryText(std::string text) { secondaryText_ = std::move(text); }
  void SetSecondNameText(std::string text) { secondNameText_ = std::move(text); }

  CommandContainerI* Context() const { return context_; }
  IWebBrowser2* Browser() const { return browser_.Get(); }
  HostData GetHostData() const { return hostData_; }

 protected:
  void NotifyObservers(void (CommandObserverI::*notice)());

 private:
  std::vector<CommandObserverI*> observers_;
  std::string name_;
  bool enabled_ = false;
  int imageResourceId_ = 0;
  std::optional<platform::Bitmap> imageBitmap_;
  Colour imageMaskColour_ = kDefaultMaskColour;
  // The text as last set or settled, unless a typed-text source is followed.
  const std::string& CurrentText() const;

  mutable std::string text_;
  mutable const TypedTextSourceI* typedTextSource_ = nullptr;
  std::string secondaryText_;
  std::vector<std::string> items_;
  int selectedIndex_ = -1;
  std::string secondNameText_;
  int checked_ = 0;
  CommandContainerI* context_ = nullptr;
  platform::ComPtr<IWebBrowser2> browser_;
  HostData hostData_ = nullptr;
};

}  // namespace framework
