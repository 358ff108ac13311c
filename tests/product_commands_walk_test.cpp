// A walk through the shipped toolbar as a person would take it: the stand-in
// browser hosts the product's toolbar object (HookC with the module's command
// table) in its rebar, the browser's pages come from the reference web site,
// and every button and menu item of the layout is clicked in turn, the search
// box typed into through its window. The walk prints what each click did
// (the address the tab was sent to, the page it landed on, the host the
// request went to), the program the uninstaller click started, and the
// history file the search box left behind, and checks each of them.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "commands/ProductCommands.h"
#include "commands/testing/ProgramWitness.h"
#include "framework/controls/ComboBoxControlC.h"
#include "framework/controls/ControlCollectionI.h"
#include "framework/toolband/ToolBandC.h"
#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/clock/Clock.h"
#include "platform/clock/testing/Sleepers.h"
#include "platform/com/Guid.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Toolbar.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"
#include "session/categories/CategoryCacheFile.h"
#include "session/sidebar/ReferralValues.h"
#include "session/tab/HookC.h"
#include "session/testing/SessionTestSupport.h"
#include "tools/refservice/ReferenceService.h"

namespace {

using Env = session::testing::ScopedEnvironment;

const CLSID kHookClassId = platform::MakeGuid("736FA7B4-0557-11DB-95BA-00C09F713765");
constexpr char kInstallDirectory[] = "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar";
constexpr char kCachePath[] = "C:\\Program Files\\Internet Explorer\\iexplore.cl";
constexpr auto kSafetyNet = std::chrono::seconds(30);  // only ever reached when a test is broken

std::string HistoryFile() { return std::string(kInstallDirectory) + "\\search_archive.txt"; }
std::string UninstallerPath() { return std::string(kInstallDirectory) + "\\Uninstall Halvo.exe"; }

void StoreReferral(const char* name, std::string_view text) {
  platform::RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, session::kReferralKey), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue(name, REG_SZ, text.data(), static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
}

// What one click did: where the tab was sent and what it shows now.
struct Step {
  std::string label;
  std::string state;  // "disabled" when the control's command is
  std::vector<std::string> pages;
  std::string title;
  std::vector<std::string> hosts;  // of the requests the reference site saw
};

class ProductCommandsWalk : public ::testing::Test {
 protected:
  ProductCommandsWalk() {
    session::testing::StoreSetting("HotIcon", std::string(kInstallDirectory) + "\\hoticon.ico");
    session::CategoryLists lists{{{u"whale", u"Nature"}}, {u"casino"}};
    EXPECT_TRUE(session::WriteCategoryCache(kCachePath, lists));
    EXPECT_TRUE(platform::SetFileLastWriteTime(kCachePath, platform::WallClockNow()));
    session::GlobalSinglton::SetAdsRequestStarter(
        [this](std::shared_ptr<session::TabContextC>) { ++adsRequests_; });
  }
  ~ProductCommandsWalk() override {
    frame_.Quit();
    session::GlobalSinglton::SetAdsRequestStarter(nullptr);
    platform::WaitForWorkerThreads();
    platform::ui::RunUntilIdle();
  }

  void Host() {
    hook_ = platform::Make<session::HookC>(commands::ProductCommandClasses());
    ASSERT_EQ(frame_.AddToolbar(static_cast<IDeskBand*>(hook_.Get()), kHookClassId), S_OK);
    ASSERT_NE(hook_->TabContext(), nullptr);
    ASSERT_NE(Band(), nullptr) << "the shipped layout loaded";
  }
  framework::ToolBandC* Band() const { return hook_->TabContext()->ToolBand(); }

  // The control whose layout element names `progId`, and the menu holding it.
  struct Found {
    framework::ControlI* control = nullptr;
    framework::ControlI* menu = nullptr;
  };
  static Found FindIn(const std::vector<std::unique_ptr<framework::ControlI>>& controls,
                      std::string_view progId, framework::ControlI* menu) {
    for (const auto& control : controls) {
      const platform::XmlElement* element = control->Element();
      if (element != nullptr && element->Attribute("command") == progId) {
        return {control.get(), menu};
      }
      if (auto* items = dynamic_cast<framework::ControlCollectionI*>(control.get())) {
        if (Found found = FindIn(items->Controls(), progId, control.get()); found.control) {
          return found;
        }
      }
    }
    return {};
  }
  Found Find(std::string_view progId) const { return FindIn(Band()->Controls(), progId, nullptr); }

  // A button of the toolbar, or of the small toolbar the leading menu sits on.
  bool ClickButton(int id) const {
    HWND toolbar = Band()->ToolbarWindow();
    if (platform::ui::ClickToolbarButton(toolbar, id)) return true;
    for (HWND child = FindWindowExW(toolbar, nullptr, TOOLBARCLASSNAMEW, nullptr); child != nullptr;
         child = FindWindowExW(toolbar, child, TOOLBARCLASSNAMEW, nullptr)) {
      if (platform::ui::ClickToolbarButton(child, id)) return true;
    }
    return false;
  }

  // Clicks the button or menu item of `progId` (a menu item by opening its
  // menu and choosing it) and records what followed.
  Step Click(const std::string& label, std::string_view progId) {
    const std::size_t navigationsBefore = frame_.Browser().Navigations().size();
    const std::size_t requestsBefore = service_.RequestCount();
    Step step;
    step.label = label;
    const Found found = Find(progId);
    EXPECT_NE(found.control, nullptr) << progId << " is in the shipped layout";
    if (found.control == nullptr) return step;
    EXPECT_NE(found.control->Command(), nullptr) << progId;
    if (found.control->Command() == nullptr) return step;
    if (!found.control->Command()->IsEnabled()) step.state = "disabled";
    if (found.menu != nullptr) {
      platform::ui::ScriptMenuChoice(static_cast<UINT>(found.control->ControlId()));
      EXPECT_TRUE(ClickButton(found.menu->ControlId())) << "the menu of " << progId << " opens";
      platform::ui::ClearMenuScript();
    } else {
      ClickButton(found.control->ControlId());
    }
    platform::ui::RunUntilIdle();
    // Requests a click sends from a worker (the auto-login switch's) count
    // as the click's.
    platform::WaitForWorkerThreads();
    const auto& navigations = frame_.Browser().Navigations();
    for (std::size_t index = navigationsBefore; index < navigations.size(); ++index) {
      EXPECT_FALSE(navigations[index].flags.has_value()) << "same window, no flags at all";
      step.pages.push_back(platform::WideToUtf8(navigations[index].url));
    }
    platform::Bstr title;
    if (SUCCEEDED(frame_.Browser().get_LocationName(title.Receive()))) {
      step.title = platform::WideToUtf8(title.View());
    }
    const std::vector<refservice::RecordedRequest> requests = service_.Requests();
    for (std::size_t index = requestsBefore; index < requests.size(); ++index) {
      step.hosts.push_back(
          refservice::FindHeader(requests[index].http.headers, "Host").value_or(""));
    }
    Print(step);
    return step;
  }

  // Types into the search box's own window (over what it shows) and commits
  // with Enter.
  void TypeIntoSearchBox(std::u16string_view text) {
    auto* box = dynamic_cast<framework::ComboBoxControlC*>(Find("VimaruIEToolbar.Search").control);
    ASSERT_NE(box, nullptr);
    HWND field = box->EditField();
    ASSERT_NE(field, nullptr);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    platform::ui::PressKey(VK_BACK);
    platform::ui::TypeCharacters(text);
    platform::ui::PressKey(VK_RETURN);
    platform::ui::RunUntilIdle();
    std::cout << "typed into the search box: " << platform::WideToUtf8(text) << "\n";
  }

  static void Print(const Step& step) {
    std::cout << step.label << ": ";
    if (!step.state.empty()) std::cout << "(" << step.state << ") ";
    for (std::size_t index = 0; index < step.pages.size(); ++index) {
      std::cout << step.pages[index] << " -> \"" << step.title << "\"";
    }
    for (const std::string& host : step.hosts) std::cout << " [Host: " << host << "]";
    std::cout << "\n";
  }

  std::string Site() const { return service_.BaseUrl(); }

  refservice::ReferenceService service_;
  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  const std::string referralDomain_ = "localhost:" + std::to_string(service_.Port());
  Env ads_{"VIMARU_ADS_ENDPOINT", service_.AdsEndpoint()};
  Env utils_{"VIMARU_UTILS_ENDPOINT", service_.UtilsEndpoint()};
  Env webSite_{"VIMARU_WEB_SITE", Site() + "/"};
  Env referral_{"VIMARU_REFERRAL_DOMAIN", referralDomain_};
  Env mail_{"VIMARU_MAIL_SITE", Site() + "/mail"};
  Env secureMail_{"VIMARU_MAIL_SECURE_SITE", Site() + "/mail"};
  Env searchSite_{"VIMARU_SEARCH_SITE", Site() + "/classifieds"};
  Env msn_{"VIMARU_SEARCH_MSN", Site() + "/engines/msn"};
  Env ask_{"VIMARU_SEARCH_ASK", Site() + "/engines/ask"};
  Env google_{"VIMARU_SEARCH_GOOGLE", Site() + "/engines/google"};
  Env lycos_{"VIMARU_SEARCH_LYCOS", Site() + "/engines/lycos"};
  Env yahoo_{"VIMARU_SEARCH_YAHOO", Site() + "/engines/yahoo"};
  int adsRequests_ = 0;
  platform::BrowserFrame frame_;
  platform::ComPtr<session::HookC> hook_;
};

TEST_F(ProductCommandsWalk, EveryButtonAndMenuItemLandsOnItsPage) {
  ASSERT_TRUE(platform::WriteWholeFile(HistoryFile(), "an older search\r\n"));
  StoreReferral("ReferalSubDomain", "bob");
  commands::testing::ProgramWitness uninstaller(UninstallerPath());
  ASSERT_TRUE(uninstaller.Installed());
  Host();
  ASSERT_EQ(frame_.Browser().Navigate(
                platform::Bstr(platform::AnsiToWide(Site() + "/pages/travel.html")).Get(), nullptr,
                nullptr, nullptr, nullptr),
            S_OK);
  const std::string site = Site();
  const std::string referral = "http://bob." + referralDomain_;

  struct Expected {
    std::vector<std::string> pages;
    std::string title;
  };
  auto check = [](const Step& step, const Expected& expected) {
    EXPECT_EQ(step.pages, expected.pages) << step.label;
    if (!expected.pages.empty()) {
      EXPECT_EQ(step.title, expected.title) << step.label;
    }
  };

  std::cout << "-- the main menu\n";
  check(Click("Vmail", "VimaruIEToolbar.VmailLink"), {{site + "/mail"}, "Vmail"});
  // The switch tells the web site; nobody is logged in, so no token.
  const Step autoLogin = Click("Auto login", "VimaruIEToolbar.AutoLogin");
  check(autoLogin, {});
  EXPECT_EQ(autoLogin.hosts,
            std::vector<std::string>{"127.0.0.1:" + std::to_string(service_.Port())});
  const Step autoView = Click("Auto View Ads", "VimaruIEToolbar.AutoView");
  EXPECT_EQ(autoView.state, "disabled");
  check(autoView, {});
  check(Click("Clear Search History", "VimaruIEToolbar.ClearSearchHistory"), {});
  EXPECT_EQ(platform::ReadWholeFile(HistoryFile()), "") << "cleared at once";
  std::cout << "  search_archive.txt is now empty\n";
  check(Click("Privacy", "VimaruIEToolbar.Privacy"),
        {{site + "/Docs/terms.aspx#pp"}, "Vimaru: Terms of use"});
  check(Click("Help", "VimaruIEToolbar.Help"), {{site + "/public/Help.aspx"}, "Vimaru: Help"});

  // The uninstaller click waits a second on the product's clock; this
  // thread is inside it, so another one moves the clock once it waits.
  const std::uint64_t beforeUninstall = platform::TickCount64();
  std::thread clockHand([this] {
    if (platform::testing::AwaitSleepers(1, kSafetyNet)) clock_.Advance(1000);
  });
  const Step uninstall = Click("Uninstall", "VimaruIEToolbar.Uninstall");
  clockHand.join();
  EXPECT_TRUE(uninstall.pages.empty());
  EXPECT_EQ(platform::TickCount64() - beforeUninstall, 1000u);
  std::cout << "  the click returned after " << platform::TickCount64() - beforeUninstall
            << " ms on the product's clock\n";
  const std::optional<std::string> started = uninstaller.AwaitStart(kSafetyNet);
  ASSERT_TRUE(started);
  std::cout << "  started: " << *started << " (program|argument count)\n";
  EXPECT_EQ(*started, *platform::ToHostPath(UninstallerPath()) + "|0");

  std::cout << "-- the search box, its button and the engines\n";
  TypeIntoSearchBox(u"AT&T");
  check(Click("Search button", "VimaruIEToolbar.SearchBoxBtn"),
        {{site + "/engines/msn/results.aspx?q=AT%26T"}, "MSN Live: AT&T"});
  check(Click("Search > Ask", "VimaruIEToolbar.Ask"),
        {{site + "/engines/ask/web?q=AT%26T"}, "Ask: AT&T"});
  check(Click("Search > Google", "VimaruIEToolbar.Google"),
        {{site + "/engines/google/search?q=AT%26T"}, "Google: AT&T"});
  check(Click("Search > Lycos", "VimaruIEToolbar.Lycos"),
        {{site + "/engines/lycos/?query=AT%26T&x=0&y=0"}, "Lycos: AT&T"});
  check(Click("Search > MSN Live", "VimaruIEToolbar.Web"),
        {{site + "/engines/msn/results.aspx?q=AT%26T"}, "MSN Live: AT&T"});
  check(Click("Search > Yahoo", "VimaruIEToolbar.Yahoo"),
        {{site + "/engines/yahoo/search?p=AT%26T"}, "Yahoo: AT&T"});
  TypeIntoSearchBox(u"c++ 100%");
  check(Click("Search button", "VimaruIEToolbar.SearchBoxBtn"),
        {{site + "/engines/yahoo/search?p=c%2B%2B+100%25"}, "Yahoo: c++ 100%"});
  TypeIntoSearchBox(u"");
  check(Click("Search button, empty box", "VimaruIEToolbar.SearchBoxBtn"),
        {{site + "/engines/yahoo"}, "Yahoo"});

  std::cout << "-- the ads button\n";
  // The session asks for a tab's ads at most once a second.
  clock_.Advance(2000);
  const Step ads = Click("Ads", "VimaruIEToolbar.QX");
  EXPECT_TRUE(ads.pages.empty());
  EXPECT_EQ(Find("VimaruIEToolbar.QX").control->Command()->Checked(), 1);
  EXPECT_EQ(adsRequests_, 1) << "the page was scanned and its ads asked for";
  std::cout << "  checked, ads asked for " << adsRequests_ << " time\n";

  std::cout << "-- the classifieds menu\n";
  const std::pair<const char*, const char*> classifieds[] = {
      {"Vehicles", "vehicle"},     {"RealEstate", "housing-sale"},
      {"ForRent", "housing-rent"}, {"Jobs", "job"},
      {"Pets", "sale-pet"},        {"ForSale", "sale"},
      {"Tikets", "sale-tickets"},  {"Personal", "personals"},
      {"Services", "service"},
  };
  for (const auto& [name, category] : classifieds) {
    check(Click(std::string("Classifieds > ") + name, std::string("VimaruIEToolbar.") + name),
          {{site + "/classifieds/search?type=classifieds&top=1&cat=" + category},
           std::string("Classifieds: ") + category});
  }
  EXPECT_EQ(hook_->TabContext()->ClassifiedsCategory(), u"&cat=service");

  std::cout << "-- the member buttons, nobody logged in\n";
  for (const auto& [label, progId] : {std::pair{"My Money", "VimaruIEToolbar.Money"},
                                      {"Tell Friends", "VimaruIEToolbar.TellFriends"},
                                      {"Vmail button", "VimaruIEToolbar.Vmail"}}) {
    const Step hidden = Click(label, progId);
    EXPECT_EQ(hidden.state, "disabled") << label;
    check(hidden, {});
  }
  // No update was announced: the Update button stands disabled.
  const Step update = Click("Update", "VimaruIEToolbar.Update");
  EXPECT_EQ(update.state, "disabled");
  check(update, {});
  // Nobody answers the login dialog: it closes as cancelled.
  const Step login = Click("Login", "VimaruIEToolbar.Login");
  check(login, {});
  EXPECT_TRUE(login.hosts.empty());
  const Step join = Click("Register", "VimaruIEToolbar.Register");
  check(join, {{referral + "/default.aspx"}, "Vimaru"});
  StoreReferral("ReferalId", "4711");
  const Step referred = Click("Register, referrer's id stored", "VimaruIEToolbar.Register");
  check(referred, {{"http://www." + referralDomain_ + "/default.aspx?mrid=4711"}, "Vimaru: Join"});
  EXPECT_EQ(join.hosts, std::vector<std::string>{"bob." + referralDomain_});
  EXPECT_EQ(referred.hosts, std::vector<std::string>{"www." + referralDomain_});

  std::cout << "-- the member's totals arrive: logged in\n";
  soap::MemberTotals member;
  member.valid = 1;
  member.money = 12.5;
  member.friends = 3;
  member.mailFlag = 1;
  member.mailCount = 2;
  hook_->TabContext()->UpdateLogginStatus(member);
  check(Click("My Money $12.500", "VimaruIEToolbar.Money"),
        {{site + "/default.aspx?is=mymoney"}, "Vimaru: My Money"});
  check(Click("Friends 3", "VimaruIEToolbar.TellFriends"),
        {{site + "/default.aspx?is=friends"}, "Vimaru: Tell Friends"});
  check(Click("Vmail 2", "VimaruIEToolbar.Vmail"),
        {{site + "/mail/enrollment.php"}, "Vmail: Enrolment"});
  check(Click("Register, hidden", "VimaruIEToolbar.Register"), {});

  std::cout << "-- the tab closes\n";
  frame_.Quit();
  const std::optional<std::string> history = platform::ReadWholeFile(HistoryFile());
  ASSERT_TRUE(history);
  std::cout << "search_archive.txt:";
  for (const char byte : *history) {
    if (byte == '\r') {
      std::cout << "\\r";
    } else if (byte == '\n') {
      std::cout << "\\n";
    } else {
      std::cout << byte;
    }
  }
  std::cout << "\n";
  EXPECT_EQ(*history, "AT&T\r\nc++ 100%\r\n");
}

}  // namespace
