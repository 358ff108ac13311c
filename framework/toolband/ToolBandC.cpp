#include "framework/toolband/ToolBandC.h"

#include "framework/controls/ControlI.h"
#include "platform/trace/Trace.h"

namespace framework {

ToolBandC::ToolBandC(platform::ComPtr<IWebBrowser2> browser, HostData hostData)
    : browser_(std::move(browser)), hostData_(hostData) {}

ToolBandC::~ToolBandC() { RemoveAllControls(); }

void ToolBandC::AddControl(std::unique_ptr<ControlI> control) {
  controls_.push_back(std::move(control));
}

const std::vector<std::unique_ptr<ControlI>>& ToolBandC::Controls() const { return controls_; }

ControlCollectionI& ToolBandC::TopLevelControls() { return *this; }

void ToolBandC::RemoveAllControls() {
  platform::TraceScope trace("ToolBandC::RemoveAllControls");
  controls_.clear();
}

const std::string& ToolBandC::BaseDirectory() const { return baseDirectory_; }
void ToolBandC::SetBaseDirectory(std::string directory) { baseDirectory_ = std::move(directory); }
const std::string& ToolBandC::Name() const { return name_; }
void ToolBandC::SetName(std::string name) { name_ = std::move(name); }
const std::string& ToolBandC::Company() const { return company_; }
void ToolBandC::SetCompany(std::string company) { company_ = std::move(company); }

const std::shared_ptr<platform::XmlDocument>& ToolBandC::LayoutDocument() const {
  return layoutDocument_;
}

void ToolBandC::SetLayoutDocument(std::shared_ptr<platform::XmlDocument> document) {
  layoutDocument_ = std::move(document);
}

void ToolBandC::PresentForFirstTime(const std::string& bandClassIdText) {
  platform::TraceScope trace("ToolBandC::PresentForFirstTime");
  presentedBandClassIdText_ = bandClassIdText;
}

}  // namespace framework
