// The product's tab context: one per browser tab that shows the toolbar,
// inside the tab's HookC. It owns the tab's product commands, answers where
// the product's layout lives, registers the tab with the session (its
// context and its TabContextC record), shows and hides the ads sidebar for
// the tab, opens pages on behalf of commands, and keeps the member buttons
// in step with the member's totals.
//
// Every operation contains its failures and traces
// "ContextC::<operation> begin/end/exception". An operation that needs the
// tab's browser and has none fails with E_POINTER, contained like any other.
//
// Lives on the browser window's thread; the session calls
// UpdateLogginStatus there too.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/command/CommandC.h"
#include "framework/context/ToolBandContextC.h"
#include "platform/threading/ThreadChecker.h"
#include "session/GlobalSinglton.h"
#include "session/SessionContextI.h"
#include "session/tab/ProductCommandClass.h"

namespace session {

class HookC;

inline constexpr char kBandClassIdText[] = "{736FA7B4-0557-11DB-95BA-00C09F713765}";
inline constexpr char kElevationPolicyIdText[] = "{2A0C7024-E66E-11DD-AEF9-005056C00008}";
inline constexpr char kProductKeyPath[] = "Software\\Vimaru Group Inc\\VimaruIEToolbar";
inline constexpr char kStoredLayoutValueName[] = "ToolBandLayout";

inline constexpr char kMoneyCommand[] = "VimaruIEToolbar.Money";
inline constexpr char kTellFriendsCommand[] = "VimaruIEToolbar.TellFriends";
inline constexpr char kVmailCommand[] = "VimaruIEToolbar.Vmail";
inline constexpr char kRegisterCommand[] = "VimaruIEToolbar.Register";

// The member buttons' images: with mail, and without.
inline constexpr int kVmailWithMailImage = 229;
inline constexpr int kVmailWithoutMailImage = 230;
inline constexpr framework::Colour kMemberImageMaskColour = 14872816;

class ContextC final : public framework::ToolBandContextC, public SessionContextI {
 public:
  ContextC(HookC* owner, ProductCommandTable commandClasses, platform::ComPtr<IWebBrowser2> browser,
           framework::HostData hostData);
  ~ContextC() override;

  // Creates and registers the product commands, hides the member buttons
  // until the totals say otherwise, and registers the tab with the session.
  void Initialize();

  // --- framework::ToolBandContextC --------------------------------------------------
  std::string LayoutLocation() override;
  framework::StoredLayoutLocation GetStoredLayoutLocation() override;
  std::string BandClassIdText() override;
  std::string ElevationPolicyIdText() override;
  void RegisterProductCommands() override;

  // --- SessionContextI --------------------------------------------------------------
  void UpdateLogginStatus(const soap::MemberTotals& totals) override;
  framework::CommandContainerI& Commands() override { return *this; }

  // Shown: scans the current page, shows the sidebar and asks for its ads.
  // Hidden: closes the sidebar and brings its waiting page back.
  void ShowQXAds(bool show);
  void HideQXAds();
  // Puts the sidebar's waiting page back, at most once a second.
  void ShowWaitQXAds();
  // Opens `url` in this tab, or in a new window.
  void Navigate2(const std::string& url, bool newWindow);
  bool IsLoggedIn() const;

  HookC* Owner() const { return owner_; }
  int SearchEngineId() const { return searchEngineId_; }
  void SetSearchEngineId(int id) { searchEngineId_ = id; }
  const std::u16string& ClassifiedsCategory() const { return classifiedsCategory_; }
  void SetClassifiedsCategory(std::u16string category) {
    classifiedsCategory_ = std::move(category);
  }
  bool AdsOn() const { return adsOn_; }
  void SetAdsOn(bool on) { adsOn_ = on; }
  framework::CommandC* RegisterCommand() const { return registerCommand_; }

 private:
  framework::CommandC* FindProductCommand(const char* progId);
  IWebBrowser2& RequireBrowser() const;
  void HideSidebarBand();

  HookC* const owner_;
  const ProductCommandTable commandClasses_;
  int searchEngineId_ = 1;
  std::u16string classifiedsCategory_ = u"&cat=vehicle";
  bool loggedIn_ = false;
  bool adsOn_ = false;
  GlobalSinglton* session_ = nullptr;
  framework::CommandC* registerCommand_ = nullptr;
  std::int64_t lastWaitTime_;
  std::int64_t lastContentReset_;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace session
