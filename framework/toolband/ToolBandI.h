// The toolband as commands, controls, plug-ins and the layout loader reach
// it: the holder of the control tree and of what the layout document said
// about the toolbar as a whole.
#pragma once

#include <memory>
#include <string>

#include "framework/controls/ControlCollectionI.h"
#include "platform/xml/XmlDocument.h"

namespace framework {

class ToolBandI {
 public:
  virtual ~ToolBandI() = default;

  // The top-level controls, left to right.
  virtual ControlCollectionI& TopLevelControls() = 0;
  // Destroys every control (and, once there is a toolbar window, every
  // button) so the toolband is empty again.
  virtual void RemoveAllControls() = 0;

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
};

}  // namespace framework
