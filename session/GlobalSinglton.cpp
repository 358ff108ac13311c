#include "session/GlobalSinglton.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include "framework/command/CommandC.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/clock/Clock.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Contain.h"
#include "platform/ui/MessageQueue.h"
#include "session/CategoryTable.h"
#include "session/ProcessState.h"
#include "session/categories/CategoryCacheFile.h"
#include "session/settings/ProductSettings.h"

namespace session {

// Shared with the worker that fetches the lists, which may finish after the
// session has gone.
struct GlobalSinglton::CategorySlot {
  std::mutex mutex;
  std::shared_ptr<const CategoryTable> table;  // guarded by mutex
  bool fetching = false;                       // guarded by mutex
};

GlobalSinglton::Existing::Existing() {
  ProcessState& process = Process();
  std::lock_guard lock(process.instanceMutex);
  if (process.instance != nullptr) {
    ++process.references;
    session_ = process.instance;
  }
}

GlobalSinglton::Existing::~Existing() {
  if (session_ != nullptr) FreeInst();
}

GlobalSinglton* GlobalSinglton::Instance() {
  return platform::ContainTraced("GlobalSinglton::Instance", static_cast<GlobalSinglton*>(nullptr),
                                 [] {
                                   ProcessState& process = Process();
                                   // One lock around creation and destruction: two tabs opening at
                                   // once must not build two sessions, nor one reach a session
                                   // being destroyed.
                                   std::lock_guard lock(process.instanceMutex);
                                   if (process.instance == nullptr) {
                                     process.instance = new GlobalSinglton;
                                     process.instance->Construct();
                                   }
                                   ++process.references;
                                   return process.instance;
                                 });
}

LONG GlobalSinglton::FreeInst() {
  return platform::ContainTraced("GlobalSinglton::FreeInst", LONG{0}, [] {
    ProcessState& process = Process();
    std::lock_guard lock(process.instanceMutex);
    if (--process.references <= 0) {
      process.references = 0;
      delete std::exchange(process.instance, nullptr);
    }
    return process.references;
  });
}

GlobalSinglton::GlobalSinglton()
    : categories_(std::make_shared<CategorySlot>()), timers_(std::make_unique<TimerState>()) {}

void GlobalSinglton::Construct() {
  const auto step = [](const char* name, auto&& body) {
    platform::Contain(name, 0, [&] {
      body();
      return 0;
    });
  };
  step("GlobalSinglton::Instance", [&] { connector_ = std::make_shared<soap::VimaruConnector>(); });
  step("GlobalSinglton::Instance", [] { SetMemberId(ReadMemberId()); });
  FillCategoryList();
  step("GlobalSinglton::Instance", [&] {
    totalsBusy_->store(false);
    if (ReadAutoLoggin()) SetSsoToken(ReadSso());
  });
  Process().updateAvailable = false;
  SetTimer();
}

GlobalSinglton::~GlobalSinglton() {
  ReleaseTimer();
  std::lock_guard lock(sidebarsMutex_);
  sidebars_.clear();
}

void GlobalSinglton::AddContext(SessionContextI* context) {
  platform::ContainTraced("GlobalSinglton::AddContext", 0, [&] {
    contexts_->Add(context);
    return 0;
  });
}

void GlobalSinglton::RemoveContext(SessionContextI* context) {
  platform::ContainTraced("GlobalSinglton::RemoveContext", 0, [&] {
    contexts_->Remove(context);
    MoveTimersOffThisThread();
    return 0;
  });
}

void GlobalSinglton::AddTabContext(std::shared_ptr<TabContextC> record) {
  platform::ContainTraced("GlobalSinglton::AddTabContext", 0, [&] {
    std::lock_guard lock(tabContextsMutex_);
    tabContexts_.push_back(std::move(record));
    return 0;
  });
}

void GlobalSinglton::RemoveTabContext(SessionContextI* context) {
  platform::ContainTraced("GlobalSinglton::RemoveTabContext", 0, [&] {
    std::shared_ptr<TabContextC> removed;  // released after the lock
    std::lock_guard lock(tabContextsMutex_);
    const auto found = std::find_if(
        tabContexts_.begin(), tabContexts_.end(),
        [&](const std::shared_ptr<TabContextC>& record) { return record->context == context; });
    if (found != tabContexts_.end()) {
      removed = std::move(*found);
      tabContexts_.erase(found);
    }
    return 0;
  });
}

std::shared_ptr<TabContextC> GlobalSinglton::GetTabContextByBrowser(IWebBrowser2* browser) {
  return platform::ContainTraced("GlobalSinglton::GetTabContextByBrowser",
                                 std::shared_ptr<TabContextC>(), [&] {
                                   std::lock_guard lock(tabContextsMutex_);
                                   for (const auto& record : tabContexts_) {
                                     if (record->browser.Get() == browser) return record;
                                   }
                                   return std::shared_ptr<TabContextC>();
                                 });
}

std::shared_ptr<TabContextC> GlobalSinglton::GetTabContextBySidebarWindow(HWND window) {
  return platform::ContainTraced("GlobalSinglton::GetTabContextBySidebarWindow",
                                 std::shared_ptr<TabContextC>(), [&] {
                                   std::lock_guard lock(tabContextsMutex_);
                                   for (const auto& record : tabContexts_) {
                                     if (record->SidebarWindow() == window) return record;
                                   }
                                   return std::shared_ptr<TabContextC>();
                                 });
}

void GlobalSinglton::AddSidebar(IWebBrowser2* browser, SidebarI* sidebar) {
  platform::ContainTraced("GlobalSinglton::AddSidebar", 0, [&] {
    std::lock_guard lock(sidebarsMutex_);
    sidebars_.emplace(browser, sidebar);
    return 0;
  });
}

void GlobalSinglton::RemoveSidebar(SidebarI* sidebar) {
  platform::ContainTraced("GlobalSinglton::RemoveSidebar", 0, [&] {
    {
      std::lock_guard lock(sidebarsMutex_);
      const auto found = std::find_if(sidebars_.begin(), sidebars_.end(),
                                      [&](const auto& entry) { return entry.second == sidebar; });
      if (found != sidebars_.end()) sidebars_.erase(found);
    }
    // A tab record must not keep a band that is going away: the ads button
    // and the next page ask the record for its sidebar.
    std::vector<std::shared_ptr<TabContextC>> holders;
    {
      std::lock_guard lock(tabContextsMutex_);
      for (const auto& record : tabContexts_) {
        if (record->Sidebar() == sidebar) holders.push_back(record);
      }
    }
    for (const auto& record : holders) record->SetSidebar(nullptr, nullptr, nullptr);
    return 0;
  });
}

bool GlobalSinglton::IsSidebarVisible(IWebBrowser2* browser) {
  return platform::ContainTraced("GlobalSinglton::IsSidebarVisible", false, [&] {
    std::lock_guard lock(sidebarsMutex_);
    const auto found = sidebars_.find(browser);
    return found != sidebars_.end() && IsWindowVisible(found->second->SidebarWindow()) != FALSE;
  });
}

void GlobalSinglton::GetTotals(soap::MemberTotals& totals) {
  totals = soap::MemberTotals{};
  platform::ContainTraced("GlobalSinglton::GetTotals", 0, [&] {
    if (connector_) connector_->bxTotals(platform::AnsiToWide(MemberId()), totals);
    return 0;
  });
}

// Ends a load however it ends, so that a failed one leaves the lists to the
// next FillCategoryList rather than marked as loading for good.
class GlobalSinglton::CategoryLoad {
 public:
  explicit CategoryLoad(std::shared_ptr<CategorySlot> slot) : slot_(std::move(slot)) {}
  ~CategoryLoad() {
    std::lock_guard lock(slot_->mutex);
    slot_->fetching = false;
  }
  CategoryLoad(const CategoryLoad&) = delete;
  CategoryLoad& operator=(const CategoryLoad&) = delete;

  void Publish(std::shared_ptr<const CategoryTable> table) {
    std::lock_guard lock(slot_->mutex);
    slot_->table = std::move(table);
  }

 private:
  std::shared_ptr<CategorySlot> slot_;
};

void GlobalSinglton::FillCategoryList() {
  platform::ContainTraced("GlobalSinglton::FillCategoryList", 0, [&] {
    {
      std::lock_guard lock(categories_->mutex);
      if (categories_->table || categories_->fetching) return 0;
      categories_->fetching = true;
    }
    auto load = std::make_unique<CategoryLoad>(categories_);
    const std::string cachePath = CategoryCachePath(platform::GetHostExecutablePath());
    if (auto lists = ReadCategoryCache(cachePath, platform::WallClockNow())) {
      load->Publish(std::make_shared<const CategoryTable>(std::move(*lists)));
      return 0;
    }
    if (!connector_) return 0;
    // The load travels with the worker; if none starts, it ends here.
    platform::StartWorkerThread(
        "GlobalSinglton::FillCategoryList",
        [load = std::shared_ptr<CategoryLoad>(std::move(load)), connector = connector_, cachePath] {
          load->Publish(
              std::make_shared<const CategoryTable>(FetchCategoryLists(*connector, cachePath)));
        });
    return 0;
  });
}

std::shared_ptr<const CategoryTable> GlobalSinglton::Categories() const {
  std::lock_guard lock(categories_->mutex);
  return categories_->table;
}

void GlobalSinglton::ParseHTML(std::u16string_view text, IWebBrowser2* browser, bool& blocked) {
  blocked = false;
  platform::ContainTraced("GlobalSinglton::ParseHTML", 0, [&] {
    platform::Bstr location;
    if (browser == nullptr) return 0;
    browser->get_LocationURL(location.Receive());
    const std::shared_ptr<TabContextC> record = GetTabContextByBrowser(browser);
    if (!record) return 0;

    const bool sameUrl = location.View() == record->lastUrl;
    if (!sameUrl) record->lastUrl = location.String();
    const HWND sidebarWindow = record->SidebarWindow();
    const bool sidebarVisible = sidebarWindow != nullptr && IsWindowVisible(sidebarWindow);
    if (sameUrl && sidebarVisible) return 0;

    const std::shared_ptr<const CategoryTable> table = Categories();
    int chosen = 0;
    if (table && table->CategoryCount() > 0 && table->scanner.LongestKeyword() > 0) {
      const PageScanResult scan = table->scanner.ScanPage(text);
      chosen = scan.chosen;
      blocked = scan.blocked;
    }

    if (!sidebarVisible) {
      platform::Variant clsid(kSidebarClassId);
      platform::Variant show(true);
      browser->ShowBrowserBar(&clsid, &show, nullptr);
    }

    const std::int64_t now = platform::WallClockSeconds();
    if (now - record->lastRequestTime > 1) {
      record->categoryIndex = chosen;
      record->lastRequestTime = now;
      record->categoryCount = table ? table->CategoryCount() : 0;
      record->categories = table;
      AdsRequestStarter starter;
      {
        std::lock_guard lock(Process().hooksMutex);
        starter = Process().adsRequestStarter;
      }
      if (starter) starter(record);
    }
    return 0;
  });
}

void GlobalSinglton::BroadcastCommandState(const std::string& commandName, bool visible,
                                           const std::string& caption) {
  platform::ContainTraced("GlobalSinglton::BroadcastCommandState", 0, [&] {
    contexts_->ForEachOnItsThread([commandName, visible, caption](SessionContextI& context) {
      auto* command =
          dynamic_cast<framework::CommandC*>(context.Commands().FindCommand(commandName));
      if (command == nullptr) return;
      command->SetEnabled(visible);
      command->SetText(caption);
    });
    return 0;
  });
}

void GlobalSinglton::ForEachContextOnItsThread(const std::function<void(SessionContextI&)>& work) {
  platform::ContainTraced("GlobalSinglton::ForEachContextOnItsThread", 0, [&] {
    contexts_->ForEachOnItsThread(work);
    return 0;
  });
}

std::string GlobalSinglton::MemberId() {
  std::lock_guard lock(Process().identityMutex);
  return Process().memberId;
}

void GlobalSinglton::SetMemberId(std::string memberId) {
  std::lock_guard lock(Process().identityMutex);
  Process().member = !memberId.empty();
  Process().memberId = std::move(memberId);
}

bool GlobalSinglton::IsMember() {
  std::lock_guard lock(Process().identityMutex);
  return Process().member;
}

std::string GlobalSinglton::SsoToken() {
  std::lock_guard lock(Process().identityMutex);
  return Process().ssoToken;
}

void GlobalSinglton::SetSsoToken(std::string ssoToken) {
  std::lock_guard lock(Process().identityMutex);
  Process().ssoToken = std::move(ssoToken);
}

bool GlobalSinglton::HasCheckedForUpdate() { return Process().updateLatch; }
bool GlobalSinglton::IsUpdateAvailable() { return Process().updateAvailable; }
void GlobalSinglton::SetUpdateAvailable(bool available) { Process().updateAvailable = available; }

void GlobalSinglton::SetAdsRequestStarter(AdsRequestStarter starter) {
  std::lock_guard lock(Process().hooksMutex);
  Process().adsRequestStarter = std::move(starter);
}

void GlobalSinglton::SetUpdateCheck(UpdateCheck check) {
  std::lock_guard lock(Process().hooksMutex);
  Process().updateCheck = std::move(check);
}

}  // namespace session
