// A control of the toolbar as the toolband and the commands see it: one
// layout element turned into an object that shows its command's state and
// forwards the user's actions to it.
//
// The operations keep the slot order of the control table. Present now are
// the slots that carry the state the layout builds:
//    0 ~ControlI            11 SetParameterText        29 Width
//    1 Kind                 12 SetHotKey               30 RowHeight
//    2 AsControl            13 SetElement              31 IsAutoSize
//    3 SetDisplayWord       15 Command                 32 DisplayText
//    4 SetStyleBits         17 Element                 33 TooltipText
//    5 SetWidth             18 SetTop                  35 MaskColour
//    6 SetRowHeight         19 CreateAsMenuItem        36 ImageResourceId
//    7 SetImageResourceId   20 CreateOnToolbar         37 ImageFileName
//    8 SetImageIndex        23 FindById                38 StyleWord
//    9 SetImageFileName     24 Execute                 39 DisplayWord
//   10 SetTooltipText       26 HandParameterToCommand  40 ControlId
//                                                      44 ImageIndex
// The slots that need the control's window (21 create window, 22/25 window
// hooks, 27/28 hot-key handling, 34 bitmap, 41-43 and 45-47 kind questions)
// arrive with the toolband's windows; 14, 16 and 43 are reserved.
#pragma once

#include <cstdint>
#include <string>

#include "framework/controls/ControlKind.h"
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
  virtual ControlI* FindById(int id) = 0;
  virtual void Execute() = 0;
  virtual void HandParameterToCommand() = 0;
  virtual int Width() const = 0;
  virtual int RowHeight() const = 0;
  virtual bool IsAutoSize() const = 0;
  virtual std::string DisplayText() = 0;
  virtual std::string TooltipText() const = 0;
  virtual std::uint32_t MaskColour() const = 0;
  virtual int ImageResourceId() const = 0;
  virtual std::string ImageFileName() const = 0;
  virtual std::uint32_t StyleWord() const = 0;
  virtual std::uint32_t DisplayWord() const = 0;
  virtual int ControlId() const = 0;
  virtual int ImageIndex() const = 0;
};

}  // namespace framework
