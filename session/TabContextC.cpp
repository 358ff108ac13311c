#include "session/TabContextC.h"

#include <utility>

namespace session {

TabContextC::TabContextC(SessionContextI* owner, platform::ComPtr<IWebBrowser2> tabBrowser,
                         std::int64_t createdAtSeconds)
    : context(owner), browser(std::move(tabBrowser)), lastRequestTime(createdAtSeconds) {}

void TabContextC::SetSidebar(SidebarI* sidebar, platform::ComPtr<IWebBrowser2> sidebarBrowser,
                             HWND window) {
  {
    std::lock_guard lock(mutex_);
    sidebarBrowser_ = std::move(sidebarBrowser);
  }
  sidebar_.store(sidebar);
  sidebarWindow_.store(window);
}

platform::ComPtr<IWebBrowser2> TabContextC::SidebarBrowser() const {
  std::lock_guard lock(mutex_);
  return sidebarBrowser_;
}

void TabContextC::SetContent(std::string content) {
  std::lock_guard lock(mutex_);
  content_ = std::move(content);
}

std::string TabContextC::Content() const {
  std::lock_guard lock(mutex_);
  return content_;
}

std::string TabContextC::TakeContent() {
  std::lock_guard lock(mutex_);
  return std::exchange(content_, std::string());
}

}  // namespace session
