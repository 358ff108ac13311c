// The ads thread: for one tab's page it fetches the ads of the tab's chosen
// category, builds the sidebar fragment, stores it in the tab's record and
// tells the sidebar window to take it (WM_PAINT), which then inserts it
// into its page. The page it inserts into is the waiting page the sidebar
// browser is sent to first (SetSidebarOriginalContent).
//
// The thread shares the record: a tab that closes while its ads are being
// fetched leaves the thread a record to finish with. The window is told
// with a bounded send: the window's thread may be closing its tab and
// waiting for this very thread, and a send with no limit would then wait
// for a thread that waits for it.
#pragma once

#include <memory>

#include "platform/ui/WinTypes.h"

namespace session {

class TabContextC;

// How long the ads thread waits for the sidebar window to take the content.
inline constexpr UINT kSidebarSendTimeoutMs = 5000;

class QXThread {
 public:
  // Starts the ads thread for the record's page; false when no thread could
  // be started.
  static bool Start(std::shared_ptr<TabContextC> record);

  // The thread's work: blocks for the service call. Never throws: a failure
  // ends it with the trace line "QXThread::ShowSidebar exception".
  static void ShowSidebar(std::shared_ptr<TabContextC> record) noexcept;

  // Sends the record's sidebar browser to the waiting page in the module's
  // resources. Never throws ("QXThread::SetSidebarOriginalContent
  // exception").
  static void SetSidebarOriginalContent(const std::shared_ptr<TabContextC>& record) noexcept;
};

}  // namespace session
