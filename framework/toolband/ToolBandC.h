// The toolband object: one per browser window. It owns the control tree the
// layout built and keeps the parsed layout document, its base directory,
// the toolbar's name and its maker's name. The toolbar window, rebar and
// buttons join it when the band gets its window.
//
// Lives on the browser window's thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/command/HostData.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"

namespace framework {

class ToolBandC : public ToolBandI, public ControlCollectionI {
 public:
  ToolBandC(platform::ComPtr<IWebBrowser2> browser, HostData hostData);
  ~ToolBandC() override;
  ToolBandC(const ToolBandC&) = delete;
  ToolBandC& operator=(const ToolBandC&) = delete;

  // ControlCollectionI
  void AddControl(std::unique_ptr<ControlI> control) override;
  const std::vector<std::unique_ptr<ControlI>>& Controls() const override;

  // ToolBandI
  ControlCollectionI& TopLevelControls() override;
  void RemoveAllControls() override;
  const std::string& BaseDirectory() const override;
  void SetBaseDirectory(std::string directory) override;
  const std::string& Name() const override;
  void SetName(std::string name) override;
  const std::string& Company() const override;
  void SetCompany(std::string company) override;
  const std::shared_ptr<platform::XmlDocument>& LayoutDocument() const override;
  void SetLayoutDocument(std::shared_ptr<platform::XmlDocument> document) override;
  void PresentForFirstTime(const std::string& bandClassIdText) override;

  // The band class id text of the last first-run presentation, empty before.
  const std::string& PresentedBandClassIdText() const { return presentedBandClassIdText_; }

 private:
  platform::ComPtr<IWebBrowser2> browser_;
  HostData hostData_;
  std::vector<std::unique_ptr<ControlI>> controls_;
  std::string baseDirectory_;
  std::string name_;
  std::string company_;
  std::shared_ptr<platform::XmlDocument> layoutDocument_;
  std::string presentedBandClassIdText_;
};

}  // namespace framework
