// The tab context: one per browser window. It owns the tab's commands
// (its own command set and the plug-ins' sets), creates the toolband and
// loads the layout into it, and answers command lookups by name. The
// product derives from it and supplies where its layout lives.
//
// Slots 7 to 10 continue CommandContainerI's: 7 ShutDown,
// 8 RegisterProductCommands, 9 LayoutLoaded, 10 KeyboardNotice.
//
// Lives on the browser window's thread.
#pragma once

#include <list>
#include <memory>
#include <string>

#include "framework/command/CommandContainerI.h"
#include "framework/command/CommandSetC.h"
#include "framework/command/HostData.h"
#include "framework/context/PlugInC.h"
#include "framework/layout/LayoutLoader.h"
#include "framework/toolband/ToolBandC.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"
#include "platform/threading/ThreadChecker.h"

namespace framework {

class ToolBandContextC : public CommandContainerI {
 public:
  ToolBandContextC(platform::ComPtr<IWebBrowser2> browser, HostData hostData);
  ~ToolBandContextC() override;
  ToolBandContextC(const ToolBandContextC&) = delete;
  ToolBandContextC& operator=(const ToolBandContextC&) = delete;

  CommandI* FindCommand(const std::string& name) override;
  CommandC* CreateCommandInstance(const std::string& name, const std::string& id) override;

  virtual void ShutDown();
  // The product registers its command classes here (before the plug-ins
  // and built-ins, so its names win over theirs in the own command set).
  virtual void RegisterProductCommands();
  virtual void LayoutLoaded();
  virtual void KeyboardNotice(int code, int key, int flags);

  // Builds the tab's toolbar: toolband window (a child of `parent`),
  // product commands, plug-ins, built-ins, layout, and the thread's
  // keyboard hook. Null when the toolbar must be given up.
  ToolBandC* Create(HWND parent = nullptr);

  // On the first completed navigation of a browser window: the first time
  // this toolbar runs for the user, its band asks for a row of its own.
  bool RunFirstRunCheck();

  ToolBandC* ToolBand() const { return toolband_.get(); }
  CommandSetC& OwnCommands() { return commands_; }
  const std::list<std::unique_ptr<PlugInC>>& PlugIns() const { return plugIns_; }
  IWebBrowser2* Browser() const { return browser_.Get(); }
  HostData GetHostData() const { return hostData_; }

  // Tests replace the parser to reach the "cannot create" path.
  void SetXmlDocumentFactory(XmlDocumentFactory factory) { createDocument_ = std::move(factory); }

 private:
  void LoadPlugIns();
  void RegisterBuiltinCommands();
  void ReleaseToolBandAndPlugIns();

  platform::ComPtr<IWebBrowser2> browser_;
  HostData hostData_;
  // Declared before the toolband: controls unbind from their commands when
  // they are destroyed, so commands must outlive them.
  CommandSetC commands_;
  std::list<std::unique_ptr<PlugInC>> plugIns_;
  std::unique_ptr<ToolBandC> toolband_;
  XmlDocumentFactory createDocument_ = platform::XmlDocument::Create;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace framework
