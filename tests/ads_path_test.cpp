// The ads path as a user meets it, in the stand-in browser against the
// reference service: a tab with the product's toolbar opens a page of the
// reference web site, the ads button scans it, the sidebar opens on its
// waiting page, the ads thread fetches the page's ads and the sidebar
// shows them; the next navigation hides the sidebar, a second press within
// the same second asks for nothing, and pressing the button again closes
// the band and takes it out of the session.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "commands/ProductCommands.h"
#include "commands/QXC.h"
#include "platform/activation/Activation.h"
#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/clock/Clock.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComInit.h"
#include "platform/com/Guid.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WorkerPump.h"
#include "session/CategoryTable.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"
#include "session/ads/QXThread.h"
#include "session/band/CmyIESideBar.h"
#include "session/band/SidebarClass.h"
#include "session/tab/HookC.h"
#include "session/testing/SessionTestSupport.h"
#include "tools/inspect/ControlNames.h"
#include "tools/inspect/DocumentBody.h"
#include "tools/inspect/ToolbarUser.h"
#include "tools/refservice/ReferenceService.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kGuard = 30s;  // only a hang reaches it

std::u16string BodyHtml(IWebBrowser2* browser) {
  return tools::DocumentBody(browser, tools::BodyContent::kMarkup);
}

class AdsPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session::testing::CreateSettingsKey();
    session::GlobalSinglton::SetMemberId("");
    session::GlobalSinglton::SetAdsRequestStarter([](std::shared_ptr<session::TabContextC> record) {
      session::QXThread::Start(std::move(record));
    });
    auto factory = platform::Make<platform::ClassFactory<session::CmyIESideBar>>();
    ASSERT_EQ(CoRegisterClassObject(session::CLSID_CmyIESideBar, factory.Get(),
                                    CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &sidebarClass_),
              S_OK);
    hook_ = platform::Make<session::HookC>(commands::ProductCommandClasses());
    ASSERT_EQ(frame_.AddToolbar(static_cast<IDeskBand*>(hook_.Get()), session::CLSID_IEHook), S_OK);
    // The session's first tab fetches the category lists on a worker.
    ASSERT_TRUE(platform::ui::RunUntilWorkersDone(kGuard));
    session::GlobalSinglton::Existing session;
    ASSERT_TRUE(session && session->Categories()) << "the lists arrived";
  }
  void TearDown() override {
    frame_.Quit();
    EXPECT_TRUE(platform::ui::RunUntilWorkersDone(kGuard));
    CoRevokeClassObject(sidebarClass_);
    session::GlobalSinglton::SetAdsRequestStarter(nullptr);
  }

  void Open(const std::string& page) {
    const std::string url = service_.BaseUrl() + "/pages/" + page;
    ASSERT_EQ(frame_.Browser().Navigate(platform::Bstr(platform::AnsiToWide(url)).Get(), nullptr,
                                        nullptr, nullptr, nullptr),
              S_OK);
    platform::ui::RunUntilIdle();
  }

  // Presses the ads button on the toolbar, as the user does, and lets the
  // ads thread it starts finish.
  void PressAdsButton() {
    framework::ToolBandC* toolband = hook_->TabContext()->ToolBand();
    ASSERT_NE(toolband, nullptr);
    framework::ControlI* button = tools::FindControlByCommandName(*toolband, commands::kQXCommand);
    ASSERT_NE(button, nullptr) << "the shipped layout has the ads button";
    ASSERT_TRUE(tools::Click(*toolband, *button));
    ASSERT_TRUE(platform::ui::RunUntilWorkersDone(kGuard));
  }

  framework::CommandC& AdsCommand() {
    return *dynamic_cast<framework::CommandC*>(
        hook_->TabContext()->FindCommand(commands::kQXCommand));
  }

  std::shared_ptr<session::TabContextC> Record() {
    session::GlobalSinglton::Existing session;
    return session ? session->GetTabContextByBrowser(&frame_.Browser()) : nullptr;
  }

  bool SidebarVisible() {
    session::GlobalSinglton::Existing session;
    return session && session->IsSidebarVisible(&frame_.Browser());
  }

  std::size_t AdsRequests() const {
    std::size_t count = 0;
    for (const auto& request : service_.Requests()) {
      if (request.operation == "GetPublicAds" || request.operation == "GetMemberAds") ++count;
    }
    return count;
  }

  // The browser's window thread is a COM apartment; bands are created there.
  platform::ScopedComInit com_;
  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  refservice::ReferenceService service_;
  session::testing::ScopedEnvironment ads_{"VIMARU_ADS_ENDPOINT", service_.AdsEndpoint()};
  session::testing::ScopedEnvironment utils_{"VIMARU_UTILS_ENDPOINT", service_.UtilsEndpoint()};
  session::testing::ScopedEnvironment site_{"VIMARU_WEB_SITE", service_.BaseUrl() + "/"};
  DWORD sidebarClass_ = 0;
  platform::BrowserFrame frame_;
  platform::ComPtr<session::HookC> hook_;
};

TEST_F(AdsPathTest, TheAdsButtonScansThePageOpensTheSidebarAndShowsItsAds) {
  Open("cars.html");
  EXPECT_FALSE(SidebarVisible()) << "a page alone shows no ads";
  clock_.Advance(2000);
  service_.ClearRequests();

  PressAdsButton();
  EXPECT_EQ(AdsCommand().Checked(), 1);
  EXPECT_TRUE(hook_->TabContext()->AdsOn());
  EXPECT_TRUE(SidebarVisible());
  const auto record = Record();
  ASSERT_TRUE(record);
  ASSERT_NE(record->Sidebar(), nullptr);

  ASSERT_EQ(AdsRequests(), 1u);
  const auto request = service_.Requests().front();
  EXPECT_EQ(request.operation, "GetPublicAds");
  std::string category;
  for (const auto& parameter : request.parameters) {
    if (parameter.name == "cgroup") category = parameter.text;
  }
  EXPECT_EQ(category, "Autos") << "the car page's category";

  const std::u16string shown = BodyHtml(record->SidebarBrowser().Get());
  EXPECT_NE(shown.find(u"hdNewElements"), std::u16string::npos) << "fresh ads were inserted";
  EXPECT_EQ(shown.find(u"Please wait while we retrieve"), std::u16string::npos)
      << "the waiting text was replaced";
  int autosAds = 0;
  for (const auto& ad : service_.Data().ads) {
    if (ad.group != "Autos") continue;
    if (shown.find(platform::AnsiToWide(ad.title)) != std::u16string::npos) ++autosAds;
  }
  EXPECT_GE(autosAds, 1) << "an ad of the car category is shown";
  EXPECT_TRUE(record->TakeContent().empty()) << "the window took the content";
}

TEST_F(AdsPathTest, ANavigationHidesTheSidebar) {
  Open("cars.html");
  clock_.Advance(2000);
  PressAdsButton();
  ASSERT_TRUE(SidebarVisible());
  Open("travel.html");
  EXPECT_FALSE(SidebarVisible());
  const auto record = Record();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->Sidebar(), nullptr) << "the closed band left the tab's record";
  EXPECT_EQ(frame_.Browser().BrowserBar(session::CLSID_CmyIESideBar), nullptr);
}

TEST_F(AdsPathTest, ASecondPressWithinASecondAsksForNothing) {
  Open("cars.html");
  clock_.Advance(2000);
  service_.ClearRequests();
  PressAdsButton();
  ASSERT_EQ(AdsRequests(), 1u);
  PressAdsButton();  // hides
  EXPECT_FALSE(SidebarVisible());
  EXPECT_EQ(AdsCommand().Checked(), 0);
  PressAdsButton();  // shows again, in the same second
  EXPECT_TRUE(SidebarVisible());
  EXPECT_EQ(AdsRequests(), 1u) << "at most one request a second";

  PressAdsButton();
  clock_.Advance(2000);
  PressAdsButton();
  EXPECT_EQ(AdsRequests(), 2u) << "a second later the page asks again";
}

TEST_F(AdsPathTest, ClosingTheBarRemovesItFromTheSession) {
  Open("cars.html");
  clock_.Advance(2000);
  PressAdsButton();
  ASSERT_TRUE(SidebarVisible());
  PressAdsButton();
  EXPECT_FALSE(SidebarVisible());
  EXPECT_FALSE(hook_->TabContext()->AdsOn());
  EXPECT_EQ(frame_.Browser().BrowserBar(session::CLSID_CmyIESideBar), nullptr);
  const auto record = Record();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->Sidebar(), nullptr);
  EXPECT_EQ(record->SidebarWindow(), nullptr);
}

}  // namespace
