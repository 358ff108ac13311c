// The session's record of one tab: where the page scan, the ads thread and
// the sidebar window meet. Shared-owned: an ads request holds its tab's
// record until it is done, even when the tab closes meanwhile.
//
// The tab's thread alone writes the scan's fields (last URL, last request
// time, chosen category and the lists it was chosen from). What another
// thread reads or writes is behind the record's own lock, which is never
// held while another lock is taken: the sidebar (set when the band opens)
// and the content the ads thread built.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/WinTypes.h"

namespace session {

class SessionContextI;
class SidebarI;
struct CategoryTable;

class TabContextC {
 public:
  TabContextC(SessionContextI* context, platform::ComPtr<IWebBrowser2> browser,
              std::int64_t createdAtSeconds);
  TabContextC(const TabContextC&) = delete;
  TabContextC& operator=(const TabContextC&) = delete;

  SessionContextI* const context;
  const platform::ComPtr<IWebBrowser2> browser;

  // The tab's thread only.
  std::u16string lastUrl;
  std::int64_t lastRequestTime;  // seconds since 1970
  int categoryIndex = 0;
  int categoryCount = 0;
  std::shared_ptr<const CategoryTable> categories;

  void SetSidebar(SidebarI* sidebar, platform::ComPtr<IWebBrowser2> sidebarBrowser, HWND window);
  SidebarI* Sidebar() const { return sidebar_.load(); }
  HWND SidebarWindow() const { return sidebarWindow_.load(); }
  platform::ComPtr<IWebBrowser2> SidebarBrowser() const;

  // The sidebar HTML the ads thread built last; the later store wins.
  void SetContent(std::string content);
  std::string Content() const;
  // The content, leaving none behind, in one step under the lock: a store
  // racing with the sidebar window's read is then either taken whole now
  // or kept whole for the next read, never lost between a read and a clear.
  std::string TakeContent();

 private:
  // Atomic so the session's lookups can read them under their own lock.
  std::atomic<SidebarI*> sidebar_ = nullptr;
  std::atomic<HWND> sidebarWindow_ = nullptr;
  mutable std::mutex mutex_;
  platform::ComPtr<IWebBrowser2> sidebarBrowser_;  // guarded by mutex_
  std::string content_;                            // guarded by mutex_
};

}  // namespace session
