// The process-wide session: one per browser process that has loaded the
// module, reached only through Instance and given back with FreeInst. It
// keeps the tabs' contexts, their records and their sidebars (each behind a
// lock of its own, never two held at once), the member's identity, the
// category lists with their page scan, and the two timers: the member's
// totals every 5 s and the update check once per process.
//
// Service calls never run on a browser window's thread: a totals tick starts
// a worker for the call and each tab applies the answer on its own thread,
// and a stale category cache is refreshed by a worker while the first pages
// go unscanned. The timers live on a tab's thread and move to another tab's
// when the last tab of their thread closes.
//
// Every public operation contains its failures and traces
// "GlobalSinglton::<operation> begin/end/exception".
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/browser/WebBrowser.h"
#include "platform/com/HResult.h"
#include "platform/ui/WinTypes.h"
#include "session/ContextRegistry.h"
#include "session/SessionContextI.h"
#include "session/SidebarI.h"
#include "session/TabContextC.h"
#include "soap/connector/VimaruConnector.h"

namespace session {

struct CategoryTable;

inline constexpr UINT_PTR kTotalsTimerId = 100;
inline constexpr UINT kTotalsPeriodMs = 5000;
inline constexpr UINT_PTR kUpdateTimerId = 101;
inline constexpr UINT kUpdatePeriodMs = 10000;
// The update timer's period once it has ticked.
inline constexpr UINT kUpdateRecheckPeriodMs = 3600000;

// The sidebar band's class, shown in a tab when its page has been scanned.
inline constexpr char16_t kSidebarClassId[] = u"{21B3866C-DD0C-4675-A87C-A62BF21366AF}";

class GlobalSinglton {
 public:
  // What an ads request is started with: the tab's record, its chosen
  // category and the lists it was chosen from already stored in it.
  using AdsRequestStarter = std::function<void(std::shared_ptr<TabContextC>)>;
  using UpdateCheck = std::function<void()>;

  // A reference to the instance only if one exists, given back when it
  // goes: timer callbacks and queued work must never create a session.
  class Existing {
   public:
    Existing();
    ~Existing();
    Existing(const Existing&) = delete;
    Existing& operator=(const Existing&) = delete;

    GlobalSinglton* operator->() const { return session_; }
    explicit operator bool() const { return session_ != nullptr; }

   private:
    GlobalSinglton* session_ = nullptr;
  };

  // The instance, created on first use; every call is paired with FreeInst.
  static GlobalSinglton* Instance();
  // Gives one reference back; the last destroys the instance. The new count.
  static LONG FreeInst();

  virtual ~GlobalSinglton();
  GlobalSinglton(const GlobalSinglton&) = delete;
  GlobalSinglton& operator=(const GlobalSinglton&) = delete;

  // On the context's own thread.
  void AddContext(SessionContextI* context);
  void RemoveContext(SessionContextI* context);

  void AddTabContext(std::shared_ptr<TabContextC> record);
  void RemoveTabContext(SessionContextI* context);
  std::shared_ptr<TabContextC> GetTabContextByBrowser(IWebBrowser2* browser);
  std::shared_ptr<TabContextC> GetTabContextBySidebarWindow(HWND window);

  void AddSidebar(IWebBrowser2* browser, SidebarI* sidebar);
  void RemoveSidebar(SidebarI* sidebar);
  bool IsSidebarVisible(IWebBrowser2* browser);

  // On a browser window's thread: the timers run there.
  void SetTimer();
  void ReleaseTimer();
  static void CALLBACK TimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
  static void CALLBACK TimeUpdateProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

  // Blocks for the service call: workers only.
  void GetTotals(soap::MemberTotals& totals);

  // Scans the page's text for the tab's ad category, shows the sidebar and
  // starts an ads request at most once a second. `blocked` tells whether
  // the page holds a blocked term.
  void ParseHTML(std::u16string_view text, IWebBrowser2* browser, bool& blocked);
  void FillCategoryList();
  // The lists once loaded; null while none are.
  std::shared_ptr<const CategoryTable> Categories() const;

  // Sets one command's visible state and caption in every tab, each on its
  // own thread.
  void BroadcastCommandState(const std::string& commandName, bool visible,
                             const std::string& caption);
  // Runs `work` for every tab's context on that tab's own thread: at once
  // for the calling thread's tabs, queued for the others'. From any thread.
  void ForEachContextOnItsThread(const std::function<void(SessionContextI&)>& work);

  // The member's identity: empty id when nobody is logged in.
  static std::string MemberId();
  static void SetMemberId(std::string memberId);
  static bool IsMember();
  static std::string SsoToken();
  static void SetSsoToken(std::string ssoToken);
  // True once the update timer has ticked in this process.
  static bool HasCheckedForUpdate();
  static bool IsUpdateAvailable();
  static void SetUpdateAvailable(bool available);

  // What starts an ads request and what the update check does; empty ones
  // do nothing.
  static void SetAdsRequestStarter(AdsRequestStarter starter);
  static void SetUpdateCheck(UpdateCheck check);

 private:
  struct TimerState;
  struct CategorySlot;
  class CategoryLoad;

  GlobalSinglton();
  void Construct();
  bool OwnsTotalsTimer(UINT_PTR id);
  void RefreshTotals();
  void MoveTimersOffThisThread();

  std::shared_ptr<const soap::VimaruConnector> connector_;
  const std::shared_ptr<ContextRegistry> contexts_ = std::make_shared<ContextRegistry>();
  const std::shared_ptr<std::atomic<bool>> totalsBusy_ = std::make_shared<std::atomic<bool>>(false);
  const std::shared_ptr<CategorySlot> categories_;
  const std::unique_ptr<TimerState> timers_;

  std::mutex tabContextsMutex_;
  std::vector<std::shared_ptr<TabContextC>> tabContexts_;  // guarded by tabContextsMutex_
  std::mutex sidebarsMutex_;
  std::map<IWebBrowser2*, SidebarI*> sidebars_;  // guarded by sidebarsMutex_
};

}  // namespace session
