#include "session/tab/ContextC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/browser/BrowserObject.h"
#include "platform/clock/Clock.h"
#include "platform/com/Guid.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Trace.h"
#include "platform/ui/MessageQueue.h"
#include "session/TabContextC.h"
#include "session/tab/HookC.h"
#include "session/testing/SessionTestSupport.h"

namespace session {
namespace {

// A product command that records the order the context created it in.
std::vector<std::string>* gCreated = nullptr;

class RecordingCommand final : public framework::CommandC {
 public:
  explicit RecordingCommand(std::string name) : CommandC(std::move(name)) {
    SetEnabled(true);
    if (gCreated != nullptr) gCreated->push_back(Name());
  }
};

template <const char* kName>
std::unique_ptr<framework::CommandC> MakeRecording(ContextC&) {
  return std::make_unique<RecordingCommand>(kName);
}

constexpr char kOther[] = "VimaruIEToolbar.Other";
constexpr ProductCommandClass kMemberClasses[] = {
    {kMoneyCommand, &MakeRecording<kMoneyCommand>},
    {kOther, &MakeRecording<kOther>},
    {kRegisterCommand, &MakeRecording<kRegisterCommand>},
    {kTellFriendsCommand, &MakeRecording<kTellFriendsCommand>},
    {kVmailCommand, &MakeRecording<kVmailCommand>},
    // A second class under a taken name: the first registered answers it.
    {kOther, &MakeRecording<kOther>},
};

framework::CommandC* Command(ContextC& context, const char* name) {
  return dynamic_cast<framework::CommandC*>(context.FindCommand(name));
}

std::vector<std::string> TraceOf(const std::function<void()>& action) {
  std::vector<std::string> lines;
  {
    platform::ScopedTraceCapture capture([&](std::string_view line) { lines.emplace_back(line); });
    action();
  }
  return lines;
}

bool Holds(const std::vector<std::string>& lines, std::string_view line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class ContextCTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::CreateSettingsKey();
    gCreated = &created_;
  }
  void TearDown() override {
    gCreated = nullptr;
    platform::WaitForWorkerThreads();
    platform::ui::RunUntilIdle();
  }

  std::unique_ptr<ContextC> MakeContext(platform::ComPtr<IWebBrowser2> browser) {
    auto context = std::make_unique<ContextC>(nullptr, kMemberClasses, std::move(browser), nullptr);
    context->Initialize();
    return context;
  }

  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  testing::ScopedEnvironment ads_{"VIMARU_ADS_ENDPOINT", "http://127.0.0.1:9/qxadsex.asmx"};
  testing::ScopedEnvironment utils_{"VIMARU_UTILS_ENDPOINT", "http://127.0.0.1:9/utils/utils.asmx"};
  platform::ComPtr<platform::BrowserObject> browser_ = platform::CreateBrowserWindow();
  std::vector<std::string> created_;
};

TEST_F(ContextCTest, AnswersTheProductsLocationsAndStartsWithItsDefaults) {
  ContextC context(nullptr, {}, browser_, nullptr);
  EXPECT_EQ(context.LayoutLocation(),
            "res://" + platform::ModuleFilePath() + "/ToolBandLayout.xml");
  const framework::StoredLayoutLocation stored = context.GetStoredLayoutLocation();
  EXPECT_EQ(stored.hive, HKEY_CURRENT_USER);
  EXPECT_EQ(stored.keyPath, "Software\\Vimaru Group Inc\\VimaruIEToolbar");
  EXPECT_EQ(stored.valueName, "ToolBandLayout");
  EXPECT_EQ(context.BandClassIdText(), "{736FA7B4-0557-11DB-95BA-00C09F713765}");
  EXPECT_EQ(context.BandClassIdText(), platform::FormatGuid(CLSID_IEHook)) << "the toolbar's class";
  EXPECT_EQ(context.ElevationPolicyIdText(), "{2A0C7024-E66E-11DD-AEF9-005056C00008}");
  EXPECT_EQ(context.SearchEngineId(), 1);
  EXPECT_EQ(context.ClassifiedsCategory(), u"&cat=vehicle");
  EXPECT_FALSE(context.IsLoggedIn());
  EXPECT_FALSE(context.AdsOn());
  EXPECT_TRUE(GlobalSinglton::Existing()) << "the context holds the session from construction";
}

TEST_F(ContextCTest, InitializeRegistersInTableOrderHidesTheMemberButtonsAndJoinsTheSession) {
  std::unique_ptr<ContextC> context = MakeContext(browser_);
  EXPECT_EQ(created_, (std::vector<std::string>{kMoneyCommand, kOther, kRegisterCommand,
                                                kTellFriendsCommand, kVmailCommand, kOther}));
  EXPECT_EQ(context->RegisterCommand(), Command(*context, kRegisterCommand));
  for (const char* hidden : {kMoneyCommand, kTellFriendsCommand, kVmailCommand}) {
    ASSERT_NE(Command(*context, hidden), nullptr) << hidden;
    EXPECT_FALSE(Command(*context, hidden)->IsEnabled()) << hidden;
    EXPECT_EQ(Command(*context, hidden)->Browser(), browser_.Get()) << "initialised with the tab";
  }
  EXPECT_TRUE(Command(*context, kRegisterCommand)->IsEnabled());
  EXPECT_TRUE(Command(*context, kOther)->IsEnabled());

  std::shared_ptr<TabContextC> record;
  {
    GlobalSinglton::Existing session;
    ASSERT_TRUE(session);
    record = session->GetTabContextByBrowser(browser_.Get());
  }
  ASSERT_TRUE(record);
  EXPECT_EQ(record->context, context.get());
  EXPECT_EQ(record->lastRequestTime, platform::WallClockSeconds());

  context.reset();
  EXPECT_FALSE(GlobalSinglton::Existing()) << "the last context gave the session back";
  EXPECT_EQ(record.use_count(), 1) << "the session let go of the tab's record";
}

TEST_F(ContextCTest, TheTotalsSetTheMemberButtons) {
  std::unique_ptr<ContextC> context = MakeContext(browser_);
  framework::CommandC* money = Command(*context, kMoneyCommand);
  framework::CommandC* friends = Command(*context, kTellFriendsCommand);
  framework::CommandC* mail = Command(*context, kVmailCommand);
  framework::CommandC* join = Command(*context, kRegisterCommand);

  soap::MemberTotals member;
  member.valid = 1;
  member.money = 1.5;
  member.friends = 3;
  member.mailFlag = 1;
  member.mailCount = 12;
  context->UpdateLogginStatus(member);
  EXPECT_TRUE(context->IsLoggedIn());
  EXPECT_EQ(money->Text(), "My Money $1.500");
  EXPECT_TRUE(money->IsEnabled());
  EXPECT_EQ(friends->Text(), "Friends 3");
  EXPECT_TRUE(friends->IsEnabled());
  EXPECT_EQ(mail->Text(), "Vmail 12");
  EXPECT_TRUE(mail->IsEnabled());
  EXPECT_EQ(mail->ImageResourceId(), 229);
  EXPECT_EQ(mail->ImageMaskColour(), 14872816u);
  EXPECT_EQ(join->Text(), " ");
  EXPECT_FALSE(join->IsEnabled());

  // A member without mail to show keeps the mail button as it was.
  member.mailFlag = 0;
  member.mailCount = 40;
  member.money = 0.0004;
  context->UpdateLogginStatus(member);
  EXPECT_EQ(money->Text(), "My Money $0.000");
  EXPECT_EQ(mail->Text(), "Vmail 12");
  EXPECT_TRUE(mail->IsEnabled());
  EXPECT_EQ(mail->ImageResourceId(), 229);

  context->UpdateLogginStatus(soap::MemberTotals{});
  EXPECT_FALSE(context->IsLoggedIn());
  EXPECT_EQ(money->Text(), "My Money");
  EXPECT_FALSE(money->IsEnabled());
  EXPECT_EQ(friends->Text(), "Tell Friends");
  EXPECT_FALSE(friends->IsEnabled());
  EXPECT_EQ(mail->Text(), " ");
  EXPECT_FALSE(mail->IsEnabled());
  EXPECT_EQ(mail->ImageResourceId(), 230);
  EXPECT_EQ(mail->ImageMaskColour(), 14872816u);
  EXPECT_EQ(join->Text(), "  Register");
  EXPECT_TRUE(join->IsEnabled());
}

TEST_F(ContextCTest, FiguresOfAnySizeGiveWholeCaptions) {
  std::unique_ptr<ContextC> context = MakeContext(browser_);
  soap::MemberTotals member;
  member.valid = 7;  // any non-zero flag is a member
  member.money = 1e300;
  member.friends = -2147483647 - 1;
  context->UpdateLogginStatus(member);
  const std::string money = Command(*context, kMoneyCommand)->Text();
  EXPECT_EQ(money.rfind("My Money $1", 0), 0u) << money;
  EXPECT_EQ(money.size(), std::string("My Money $").size() + 301 + 4) << "no digit cut off";
  EXPECT_EQ(money.substr(money.size() - 4), ".000");
  EXPECT_EQ(Command(*context, kTellFriendsCommand)->Text(), "Friends -2147483648");
  EXPECT_TRUE(context->IsLoggedIn());
}

TEST_F(ContextCTest, Navigate2PassesNoFlagsForTheSameWindowAndOneForANewWindow) {
  std::unique_ptr<ContextC> context = MakeContext(browser_);
  context->Navigate2("about:blank", false);
  context->Navigate2("http://127.0.0.1:9/new", true);
  const auto& navigations = browser_->Navigations();
  ASSERT_EQ(navigations.size(), 2u);
  EXPECT_EQ(navigations[0].url, u"about:blank");
  EXPECT_FALSE(navigations[0].flags.has_value()) << "absent, not a zero flag";
  EXPECT_TRUE(navigations[0].targetFrame.empty());
  EXPECT_TRUE(navigations[0].postData.empty());
  EXPECT_TRUE(navigations[0].headers.empty());
  EXPECT_EQ(navigations[1].url, u"http://127.0.0.1:9/new");
  EXPECT_EQ(navigations[1].flags, 1);
  EXPECT_TRUE(navigations[1].newWindow);
}

TEST_F(ContextCTest, HidingClosesTheSidebarBand) {
  std::unique_ptr<ContextC> context = MakeContext(browser_);
  context->HideQXAds();
  context->ShowQXAds(false);
  const auto& calls = browser_->BrowserBarCalls();
  ASSERT_EQ(calls.size(), 2u);
  for (const auto& call : calls) {
    EXPECT_EQ(platform::FormatGuid(call.clsid), "{21B3866C-DD0C-4675-A87C-A62BF21366AF}");
    EXPECT_FALSE(call.show);
  }
}

TEST_F(ContextCTest, WithoutABrowserTheBrowserOperationsFailContained) {
  std::unique_ptr<ContextC> context = MakeContext(nullptr);
  const auto lines = TraceOf([&] {
    context->ShowQXAds(true);
    context->ShowQXAds(false);
    context->HideQXAds();
    context->Navigate2("about:blank", false);
  });
  for (const char* line : {"ContextC::ShowQXAds exception", "ContextC::HideQXAds exception",
                           "ContextC::Navigate2 exception"}) {
    EXPECT_TRUE(Holds(lines, line)) << line;
  }
  EXPECT_FALSE(Holds(lines, "ContextC::ShowWaitQXAds begin")) << "nothing further ran";
}

TEST_F(ContextCTest, TheWaitingPageComesBackAtMostOnceASecond) {
  std::unique_ptr<ContextC> context = MakeContext(browser_);
  std::shared_ptr<TabContextC> record;
  {
    GlobalSinglton::Existing session;
    record = session->GetTabContextByBrowser(browser_.Get());
  }
  ASSERT_TRUE(record);
  testing::FakeSidebar sidebar;
  platform::ComPtr<platform::BrowserObject> sidebarBrowser = platform::CreateBrowserWindow();
  record->SetSidebar(&sidebar, sidebarBrowser, sidebar.SidebarWindow());
  const std::u16string waitingPage =
      u"res://" + platform::AnsiToWide(platform::ModuleFilePath()) + u"/ad.htm";

  context->ShowWaitQXAds();
  EXPECT_TRUE(sidebarBrowser->Navigations().empty()) << "the context was made this second";

  clock_.Advance(2000);
  context->ShowWaitQXAds();
  context->ShowWaitQXAds();
  ASSERT_EQ(sidebarBrowser->Navigations().size(), 1u) << "twice within one second: once";
  EXPECT_EQ(sidebarBrowser->Navigations()[0].url, waitingPage);

  clock_.Advance(2000);
  context->ShowWaitQXAds();
  EXPECT_EQ(sidebarBrowser->Navigations().size(), 2u);

  record->SetSidebar(nullptr, nullptr, nullptr);
  clock_.Advance(2000);
  context->ShowWaitQXAds();
  EXPECT_EQ(sidebarBrowser->Navigations().size(), 2u) << "no sidebar, nothing to put back";
}

}  // namespace
}  // namespace session
