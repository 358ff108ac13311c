// The abstract command: everything a control, the toolband or a plug-in may
// ask of a command. All behaviour of the toolbar lives in commands; controls
// only show a command's state and forward the user's actions to it.
//
// The virtual operations keep the slot order of the command table, so the
// mapping is by position:
//    0 ~CommandI              11 IsEnabled            20 OnTextNotice
//    1 AddObserver            12 ImageResourceId      21 OnExecute
//    2 RemoveObserver         13 ImageBitmap          22 OnExecuteWithText
//    3 TextNotice             14 ImageMaskColour      23 OnDropDownOpening
//    4 ToggleAndExecute       15 Text                 24 OnFocusLost
//    5 ChooseText             16 SecondaryText        25 OnValueNotice
//    6 DropDownOpening        17 Items                26 OnSecondValueNotice
//    7 SetTextQuietly         18 SecondNameText
//    8 FocusLost              19 Checked
//    9 ValueNotice
//   10 SecondValueNotice
// Slots 27 to 32 are added by CommandC. Entries 3, 6, 8, 9 and 10 are the
// public ("guarded") sides of the hooks 20, 23, 24, 25 and 26.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/resources/Bitmap.h"

namespace framework {

class CommandObserverI;
class ControlI;

// Colours are 0x00BBGGRR, as the toolbar's image lists take them.
using Colour = std::uint32_t;

class CommandI {
 public:
  virtual ~CommandI() = default;

  virtual void AddObserver(CommandObserverI* observer) = 0;
  virtual void RemoveObserver(CommandObserverI* observer) = 0;
  virtual void TextNotice(const std::string& text) = 0;
  virtual void ToggleAndExecute(ControlI* control) = 0;
  virtual void ChooseText(const std::string& text, ControlI* control) = 0;
  virtual void DropDownOpening() = 0;
  virtual void SetTextQuietly(const std::string& text) = 0;
  virtual void FocusLost() = 0;
  virtual void ValueNotice(int value) = 0;
  virtual void SecondValueNotice(int value) = 0;

  virtual bool IsEnabled() const = 0;
  virtual int ImageResourceId() const = 0;
  virtual const platform::Bitmap* ImageBitmap() const = 0;
  virtual Colour ImageMaskColour() const = 0;
  virtual std::string Text() const = 0;
  virtual std::string SecondaryText() const = 0;
  virtual const std::vector<std::string>& Items() const = 0;
  virtual std::string SecondNameText() const = 0;
  virtual int Checked() const = 0;

  virtual void OnTextNotice(const std::string& text) = 0;
  virtual void OnExecute() = 0;
  virtual void OnExecuteWithText(const std::string& text) = 0;
  virtual void OnDropDownOpening() = 0;
  virtual void OnFocusLost() = 0;
  virtual void OnValueNotice(int value) = 0;
  virtual void OnSecondValueNotice(int value) = 0;
};

}  // namespace framework
