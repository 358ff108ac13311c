// The toolband as commands, controls, plug-ins and the layout loader reach
// it: the holder of the control tree, of what the layout document said
// about the toolbar as a whole, and of the toolbar window the controls
// stand on.
#pragma once

#include <memory>
#include <string>

#include "framework/controls/ControlCollectionI.h"
#include "platform/ui/WinTypes.h"
#include "platform/xml/XmlDocument.h"

namespace framework {

class ControlI;

class ToolBandI {
 public:
  virtual ~ToolBandI() = default;

  // The top-level controls, left to right.
  virtual ControlCollectionI& TopLevelControls() = 0;
  // Deletes every toolbar button and destroys every control so the
  // toolband is empty again.
  virtual void RemoveAllControls() = 0;
  // Shows or hides the n-th top-level control (switching it on or off).
  virtual void ShowControl(int index, bool show) = 0;

  // Directory of the layout document; relative image file names resolve here.
  virtual const std::string& BaseDirectory() const = 0;
  virtual void SetBaseDirectory(std::string directory) = 0;
  virtual const std::string& Name() const = 0;
  virtual void SetName(std::string name) = 0;
  virtual const std::string& Company() const = 0;
  virtual void SetCompany(std::string company) = 0;
  // The parsed layout stays alive while the toolband holds it.
  virtual const std::shared_ptr<platform::XmlDocument>& LayoutDocument() const = 0;
  virtual void SetLayoutDocument(std::shared_ptr<platform::XmlDocument> document) = 0;

  // The first time the toolbar runs for this user: put the band on a rebar
  // row of its own (the band is found by its class id text).
  virtual void PresentForFirstTime(const std::string& bandClassIdText) = 0;

  // What controls ask of the toolband.
  virtual HWND ToolbarWindow() const = 0;
  virtual HFONT Font() const = 0;
  // Places the windows of the controls over their buttons again.
  virtual void LayoutControls() = 0;
  virtual void ControlFocusGained(ControlI* control) = 0;
  virtual void ControlFocusLost(ControlI* control) = 0;
  // Gives the keyboard focus back to the page.
  virtual void GiveFocusBack() = 0;
  // Adds the control's current bitmap to the image lists; the new index,
  // or the no-image index when it has none.
  virtual int AddControlImage(ControlI& control) = 0;
  // A fresh id for a control's button or menu item.
  virtual int NewControlId() = 0;
};

}  // namespace framework
