#include "session/tab/ContextC.h"

#include <cstdio>
#include <string>

#include "platform/automation/Variant.h"
#include "platform/clock/Clock.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"
#include "session/TabContextC.h"
#include "session/ads/QXThread.h"
#include "session/tab/HookC.h"

namespace session {
namespace {

// What the browser raises for a missing tab browser; contained like any
// other failure of an operation.
struct NoBrowser {};

// Captions from the service's figures, however large they are.
std::string MoneyCaption(double money) {
  const int length = std::snprintf(nullptr, 0, "My Money $%.3f", money);
  if (length <= 0) return "My Money";
  std::string caption(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(caption.data(), caption.size(), "My Money $%.3f", money);
  caption.resize(static_cast<std::size_t>(length));
  return caption;
}

}  // namespace

ContextC::ContextC(HookC* owner, ProductCommandTable commandClasses,
                   platform::ComPtr<IWebBrowser2> browser, framework::HostData hostData)
    : ToolBandContextC(std::move(browser), hostData),
      owner_(owner),
      commandClasses_(commandClasses),
      session_(GlobalSinglton::Instance()),
      lastWaitTime_(platform::WallClockSeconds()),
      lastContentReset_(lastWaitTime_) {}

ContextC::~ContextC() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::ContainTraced("ContextC::~ContextC", 0, [&] {
    // The commands and the toolband go first: commands may still reach the
    // session while they shut down.
    ShutDown();
    if (session_ != nullptr) {
      session_->RemoveContext(this);
      session_->RemoveTabContext(this);
      session_ = nullptr;
      GlobalSinglton::FreeInst();
    }
    return 0;
  });
}

void ContextC::RegisterProductCommands() { Initialize(); }

void ContextC::Initialize() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::ContainTraced("ContextC::Initialize", 0, [&] {
    for (const ProductCommandClass& commandClass : commandClasses_) {
      std::unique_ptr<framework::CommandC> command = commandClass.create(*this);
      command->Initialise(this, platform::ComPtr<IWebBrowser2>(Browser()), GetHostData());
      framework::CommandC* registered = OwnCommands().Add(std::move(command));
      if (std::string_view(commandClass.progId) == kRegisterCommand) registerCommand_ = registered;
    }
    for (const char* hidden : {kVmailCommand, kTellFriendsCommand, kMoneyCommand}) {
      if (framework::CommandC* command = FindProductCommand(hidden)) command->SetEnabled(false);
    }
    if (session_ == nullptr) return 0;
    session_->AddContext(this);
    session_->AddTabContext(std::make_shared<TabContextC>(
        this, platform::ComPtr<IWebBrowser2>(Browser()), platform::WallClockSeconds()));
    return 0;
  });
}

std::string ContextC::LayoutLocation() {
  return "res://" + platform::ModuleFilePath() + "/ToolBandLayout.xml";
}

framework::StoredLayoutLocation ContextC::GetStoredLayoutLocation() {
  return {HKEY_CURRENT_USER, kProductKeyPath, kStoredLayoutValueName};
}

std::string ContextC::BandClassIdText() { return kBandClassIdText; }

std::string ContextC::ElevationPolicyIdText() { return kElevationPolicyIdText; }

void ContextC::UpdateLogginStatus(const soap::MemberTotals& totals) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::ContainTraced("ContextC::UpdateLogginStatus", 0, [&] {
    framework::CommandC* money = FindProductCommand(kMoneyCommand);
    framework::CommandC* friends = FindProductCommand(kTellFriendsCommand);
    framework::CommandC* mail = FindProductCommand(kVmailCommand);
    framework::CommandC* join = registerCommand_;
    loggedIn_ = totals.valid != 0;
    if (loggedIn_) {
      if (money != nullptr) {
        money->SetText(MoneyCaption(totals.money));
        money->SetEnabled(true);
      }
      if (friends != nullptr) {
        friends->SetText("Friends " + std::to_string(totals.friends));
        friends->SetEnabled(true);
      }
      if (mail != nullptr && totals.mailFlag == 1) {
        mail->SetText("Vmail " + std::to_string(totals.mailCount));
        mail->SetEnabled(true);
        mail->SetImage(kVmailWithMailImage, kMemberImageMaskColour);
      }
      if (join != nullptr) {
        join->SetText(" ");
        join->SetEnabled(false);
      }
    } else {
      if (money != nullptr) {
        money->SetText("My Money");
        money->SetEnabled(false);
      }
      if (friends != nullptr) {
        friends->SetText("Tell Friends");
        friends->SetEnabled(false);
      }
      if (mail != nullptr) {
        mail->SetText(" ");
        mail->SetImage(kVmailWithoutMailImage, kMemberImageMaskColour);
        mail->SetEnabled(false);
      }
      if (join != nullptr) {
        join->SetText("  Register");
        join->SetEnabled(true);
      }
    }
    return 0;
  });
}

void ContextC::ShowQXAds(bool show) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::ContainTraced("ContextC::ShowQXAds", 0, [&] {
    IWebBrowser2& browser = RequireBrowser();
    if (show) {
      if (owner_ != nullptr) owner_->DocumentComplete(&browser);
    } else {
      HideSidebarBand();
      ShowWaitQXAds();
    }
    return 0;
  });
}

void ContextC::HideQXAds() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::ContainTraced("ContextC::HideQXAds", 0, [&] {
    RequireBrowser();
    HideSidebarBand();
    ShowWaitQXAds();
    return 0;
  });
}

void ContextC::ShowWaitQXAds() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::ContainTraced("ContextC::ShowWaitQXAds", 0, [&] {
    const std::int64_t now = platform::WallClockSeconds();
    lastWaitTime_ = now;
    if (now - lastContentReset_ <= 1) return 0;
    lastContentReset_ = now;
    if (session_ == nullptr) return 0;
    const std::shared_ptr<TabContextC> record = session_->GetTabContextByBrowser(Browser());
    if (record && record->Sidebar() != nullptr) QXThread::SetSidebarOriginalContent(record);
    return 0;
  });
}

void ContextC::Navigate2(const std::string& url, bool newWindow) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::ContainTraced("ContextC::Navigate2", 0, [&] {
    IWebBrowser2& browser = RequireBrowser();
    platform::Variant address(platform::AnsiToWide(url));
    if (newWindow) {
      platform::Variant flags(static_cast<LONG>(navOpenInNewWindow));
      browser.Navigate2(&address, &flags, nullptr, nullptr, nullptr);
    } else {
      // No flags at all, not a zero flag: the browser then keeps its own
      // choice of window.
      browser.Navigate2(&address, nullptr, nullptr, nullptr, nullptr);
    }
    return 0;
  });
}

bool ContextC::IsLoggedIn() const { return loggedIn_; }

framework::CommandC* ContextC::FindProductCommand(const char* progId) {
  return dynamic_cast<framework::CommandC*>(OwnCommands().FindCommand(progId));
}

IWebBrowser2& ContextC::RequireBrowser() const {
  IWebBrowser2* browser = Browser();
  if (browser == nullptr) throw NoBrowser{};
  return *browser;
}

void ContextC::HideSidebarBand() {
  platform::Variant clsid(kSidebarClassId);
  platform::Variant show(false);
  RequireBrowser().ShowBrowserBar(&clsid, &show, nullptr);
}

}  // namespace session
