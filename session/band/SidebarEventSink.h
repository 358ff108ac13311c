// The sidebar's listener to the events of its own web-browser control
// (DWebBrowserEvents2). It is an object apart from the band on purpose: a
// connection point holds its sinks, so a band that were its own sink would
// be held by the control it holds itself, and a band the browser lets go of
// without closing it would never be destroyed. This sink only points back
// at the band, through the callback, and the band has it forget that
// (Forget) as it disconnects: a source may still deliver an event it had
// begun delivering, and that must not reach a band that is gone.
//
// Lives on the browser window's thread.
#pragma once

#include <functional>

#include "platform/browser/WebBrowser.h"
#include "platform/module/ModuleLifetime.h"
#include "platform/threading/ThreadChecker.h"

namespace session {

class SidebarEventSink final : public platform::DispatchObject<DWebBrowserEvents2>,
                               platform::ModuleObject {
 public:
  explicit SidebarEventSink(std::function<void()> onDocumentComplete);

  void Forget();

  // Every event answers S_OK; DocumentComplete (259) also reaches the band.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  std::function<void()> onDocumentComplete_;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace session
