#include "session/band/SidebarEventSink.h"

#include <utility>

#include "platform/automation/WebBrowserEventIds.h"
#include "platform/trace/Contain.h"

namespace session {

SidebarEventSink::SidebarEventSink(std::function<void()> onDocumentComplete)
    : onDocumentComplete_(std::move(onDocumentComplete)) {}

void SidebarEventSink::Forget() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  onDocumentComplete_ = nullptr;
}

HRESULT SidebarEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return platform::Contain("CmyIESideBar::Invoke", S_OK, [&] {
    if (id == DISPID_DOCUMENTCOMPLETE && onDocumentComplete_) onDocumentComplete_();
    return S_OK;
  });
}

}  // namespace session
