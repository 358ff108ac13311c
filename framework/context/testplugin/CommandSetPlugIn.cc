// A test plug-in that does everything a plug-in may: its command set holds
// "Navigate" (so it shadows the built-in of that name) and "PlugIn.Hello",
// and it exports DeleteCommandSet. The host window handle the tests pass is
// a PlugInEvents record through which it reports what it was asked to do.
#include "framework/command/CommandSetC.h"
#include "framework/context/PlugInExports.h"
#include "framework/context/testplugin/PlugInEvents.h"

namespace {

using framework::testing::PlugInEvents;

class TestCommandSet : public framework::CommandSetC {
 public:
  explicit TestCommandSet(PlugInEvents* events) : events_(events) {
    Add(std::make_unique<framework::CommandC>("Navigate"));
    Add(std::make_unique<framework::CommandC>("PlugIn.Hello"));
  }
  void ShutdownNotice() override {
    if (events_ != nullptr) ++events_->shutdownNotices;
  }
  PlugInEvents* Events() const { return events_; }

 private:
  PlugInEvents* events_;
};

}  // namespace

extern "C" framework::CommandSetI* CreateCommandSet(framework::HostData hostWindow,
                                                    IWebBrowser2*, framework::ToolBandI*) {
  auto* events = static_cast<PlugInEvents*>(hostWindow);
  if (events != nullptr) ++events->created;
  return new TestCommandSet(events);
}

extern "C" void DeleteCommandSet(framework::CommandSetI* commandSet) {
  auto* set = static_cast<TestCommandSet*>(commandSet);
  if (set->Events() != nullptr) ++set->Events()->deleted;
  delete set;
}
