// A control of the toolbar as the toolband and the commands see it: one
// layout element turned into an object that shows its command's state and
// forwards the user's actions to it.
//
// The operations keep the slot order of the control table:
//    0 ~ControlI            16 (reserved)              32 DisplayText
//    1 Kind                 17 Element                 33 TooltipText
//    2 AsControl            18 SetTop                  34 Bitmap
//    3 SetDisplayWord       19 CreateAsMenuItem        35 MaskColour
//    4 SetStyleBits         20 CreateOnToolbar         36 ImageResourceId
//    5 SetWidth             21 CreateControlWindow     37 ImageFileName
//    6 SetRowHeight         22 Place                   38 StyleWord
//    7 SetImageResourceId   23 FindById                39 DisplayWord
//    8 SetImageIndex        24 Execute                 40 ControlId
//    9 SetImageFileName     25 UpdateVisibility        41 HasMnemonic
//   10 SetTooltipText       26 HandParameterToCommand  42 Mnemonic
//   11 SetParameterText     27 HandleHotKey            43 (reserved)
//   12 SetHotKey            28 Activate                44 ImageIndex
//   13 SetElement           29 Width                   45 IsSeparator
//   14 (reserved)           30 RowHeight               46 HasFocus
//   15 Command              31 IsAutoSize              47 HasOwnWindow
// Slots 14, 16 and 43 answer 0 and are not declared.
#pragma once

#include <cstdint>
#include <string>

#include "framework/controls/ControlKind.h"
#include "platform/resources/Bitmap.h"
#include "platform/ui/WinTypes.h"
#include "platform/xml/XmlDocument.h"

namespace framework {

class CommandI;
class ControlC;
class ToolBandI;

class ControlI {
 public:
  virtual ~ControlI() = default;
  virtual ControlKind Kind() const = 0;
  virtual ControlC* AsControl() = 0;
  virtual void SetDisplayWord(std::uint32_t displayWord) = 0;
  virtual void SetStyleBits(std::uint32_t bits) = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetRowHeight(int height) = 0;
  virtual void SetImageResourceId(int resourceId) = 0;
  virtual void SetImageIndex(int index) = 0;
  virtual void SetImageFileName(const std::string& fileName) = 0;
  virtual void SetTooltipText(const std::string& text) = 0;
  virtual void SetParameterText(const std::string& text) = 0;
  virtual void SetHotKey(const std::string& text) = 0;
  virtual void SetElement(const platform::XmlElement& element) = 0;
  virtual CommandI* Command() const = 0;
  // The layout element the control was built from, or null.
  virtual const platform::XmlElement* Element() const = 0;
  virtual void SetTop(int top) = 0;
  virtual bool CreateAsMenuItem(ToolBandI* toolband, ControlC* parentMenu, int position,
                                int id) = 0;
  virtual bool CreateOnToolbar(ToolBandI* toolband, int id) = 0;
  // The kinds with a window of their own (label, edit, read-only, combo
  // box) create it here as a child of the toolbar.
  virtual bool CreateControlWindow(HWND parent, int id) = 0;
  // The toolband places the control's window over its button: `x` and
  // `width` are the button's left edge and width on the toolbar.
  virtual void Place(int x, int width) = 0;
  virtual ControlI* FindById(int id) = 0;
  virtual void Execute() = 0;
  // After the control was shown or hidden on the toolbar.
  virtual void UpdateVisibility() = 0;
  virtual void HandParameterToCommand() = 0;
  // Non-zero when the key press is this control's hot key and it acted on
  // it; otherwise the key with its low byte cleared (0 for every ordinary
  // virtual-key code).
  virtual int HandleHotKey(bool alt, bool ctrl, bool shift, int key) = 0;
  virtual bool Activate() = 0;
  virtual int Width() const = 0;
  virtual int RowHeight() const = 0;
  virtual bool IsAutoSize() const = 0;
  virtual std::string DisplayText() = 0;
  virtual std::string TooltipText() const = 0;
  // The image to show, or null: the command's bitmap when it has one,
  // otherwise the control's own resource or file image, loaded once.
  virtual const platform::Bitmap* Bitmap() = 0;
  virtual std::uint32_t MaskColour() const = 0;
  virtual int ImageResourceId() const = 0;
  virtual std::string ImageFileName() const = 0;
  virtual std::uint32_t StyleWord() const = 0;
  virtual std::uint32_t DisplayWord() const = 0;
  virtual int ControlId() const = 0;
  // Buttons and menus on the toolbar whose caption is shown answer true.
  virtual bool HasMnemonic() = 0;
  // The lower-cased character after the display text's first single "&".
  virtual char Mnemonic() = 0;
  virtual int ImageIndex() const = 0;
  virtual bool IsSeparator() const = 0;
  virtual bool HasFocus() const = 0;
  virtual bool HasOwnWindow() const = 0;
};

}  // namespace framework
