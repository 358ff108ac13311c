// A member's login as a browser process sees it: two browser windows, each on
// its own thread with the product's toolbar in its rebar, against the
// reference service on loopback. The member logs in from one window with
// "Keep me logged in" ticked; both windows' login buttons turn into log-out
// buttons, the next totals tick fills in the member's buttons, a later
// session started from what the registry kept is logged in by itself, and
// logging out turns every window's button back.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "commands/ProductCommands.h"
#include "commands/login/CDialogLogin.h"
#include "commands/login/LoginTexts.h"
#include "framework/controls/ControlCollectionI.h"
#include "framework/controls/ControlI.h"
#include "framework/toolband/ToolBandC.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/clock/Clock.h"
#include "platform/com/ComInit.h"
#include "platform/com/Guid.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoopThread.h"
#include "platform/ui/Toolbar.h"
#include "session/GlobalSinglton.h"
#include "session/settings/ProductSettings.h"
#include "session/tab/HookC.h"
#include "session/testing/SessionTestSupport.h"
#include "tools/refservice/ReferenceService.h"

namespace {

using namespace std::chrono_literals;
using Env = session::testing::ScopedEnvironment;

const CLSID kHookClassId = platform::MakeGuid("736FA7B4-0557-11DB-95BA-00C09F713765");
constexpr auto kGuard = 30s;  // a bound on waits for other threads, not a measure
constexpr int kEnoughRounds = 50;  // a totals tick is answered within a few

// A browser window's thread: a COM apartment with a message loop that also
// runs the test's tasks, and a browser window with the product's toolbar.
class BrowserWindowThread {
 public:
  BrowserWindowThread() : thread_([this] { Open(); }, [this] { Close(); }) {}

  // Runs `task` on the thread and waits for it; false if it did not finish
  // within the guard.
  [[nodiscard]] bool Run(std::function<void()> task) {
    return thread_.Run(std::move(task), kGuard);
  }

  // On the thread: the toolbar's window, and the text of a command's
  // button as the toolbar shows it.
  HWND Toolbar() const { return Band()->ToolbarWindow(); }
  std::string CommandText(const char* progId) const {
    auto* command = dynamic_cast<framework::CommandC*>(hook_->TabContext()->FindCommand(progId));
    return command != nullptr ? command->Text() : "<none>";
  }
  std::u16string ButtonText(const char* progId) const {
    const framework::ControlI* control = Find(Band()->Controls(), progId);
    const auto view = platform::ui::InspectToolbar(Toolbar());
    if (control == nullptr || !view) return u"<none>";
    for (const auto& button : view->buttons) {
      if (button.id == control->ControlId()) return button.text;
    }
    return u"<none>";
  }
  // As a click on the command's toolbar button.
  bool ClickButton(const char* progId) const {
    const framework::ControlI* control = Find(Band()->Controls(), progId);
    return control != nullptr && platform::ui::ClickToolbarButton(Toolbar(), control->ControlId());
  }

 private:
  framework::ToolBandC* Band() const { return hook_->TabContext()->ToolBand(); }
  static const framework::ControlI* Find(
      const std::vector<std::unique_ptr<framework::ControlI>>& controls, std::string_view progId) {
    for (const auto& control : controls) {
      const platform::XmlElement* element = control->Element();
      if (element != nullptr && element->Attribute("command") == progId) return control.get();
      if (auto* items = dynamic_cast<framework::ControlCollectionI*>(control.get())) {
        if (const auto* found = Find(items->Controls(), progId)) return found;
      }
    }
    return nullptr;
  }

  void Open() {
    apartment_.emplace();
    frame_.emplace();
    hook_ = platform::Make<session::HookC>(commands::ProductCommandClasses());
    frame_->AddToolbar(static_cast<IDeskBand*>(hook_.Get()), kHookClassId);
  }
  void Close() {
    frame_->Quit();
    frame_.reset();
    hook_.Reset();
    apartment_.reset();
  }

  std::optional<platform::ScopedComInit> apartment_;
  std::optional<platform::BrowserFrame> frame_;
  platform::ComPtr<session::HookC> hook_;
  // Last: its thread uses the members above and ends first.
  platform::ui::MessageLoopThread thread_;
};

class LoginScenario : public ::testing::Test {
 protected:
  LoginScenario() {
    session::testing::CreateSettingsKey();
    session::testing::StoreSetting("HotIcon", "C:\\Program Files\\Vimaru\\hoticon.ico");
  }
  ~LoginScenario() override { platform::WaitForWorkerThreads(); }

  std::vector<std::string> AutoLoginTargets() const {
    std::vector<std::string> targets;
    for (const auto& request : service_.Requests()) {
      if (request.operation == "autologin") targets.push_back(request.http.target);
    }
    return targets;
  }

  refservice::ReferenceService service_;
  Env ads_{"VIMARU_ADS_ENDPOINT", service_.AdsEndpoint()};
  Env utils_{"VIMARU_UTILS_ENDPOINT", service_.UtilsEndpoint()};
  Env webSite_{"VIMARU_WEB_SITE", service_.BaseUrl() + "/"};
  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
};

TEST_F(LoginScenario, AMemberLogsInStaysLoggedInForTheNextSessionAndLogsOutEverywhere) {
  RECT toolbar{};
  RECT dialog{};
  {
    BrowserWindowThread first;
    BrowserWindowThread second;
    for (BrowserWindowThread* window : {&first, &second}) {
      ASSERT_TRUE(window->Run([&] {
        EXPECT_EQ(window->ButtonText(commands::kLoginCommand), u"  Login");
        EXPECT_EQ(window->CommandText(session::kMoneyCommand), "") << "no totals yet";
      }));
    }

    const platform::ui::ScopedDialogResponder member([&](HWND shown) {
      GetWindowRect(shown, &dialog);
      platform::ui::SelectDialogItemText(shown, commands::kEmailEditId);
      platform::ui::TypeIntoDialogItem(shown, commands::kEmailEditId, u"alice@example.com");
      platform::ui::TypeIntoDialogItem(shown, commands::kPasswordEditId, u"tulip-42");
      platform::ui::ChooseDialogListEntry(shown, commands::kQuestionComboId, 1);
      platform::ui::TypeIntoDialogItem(shown, commands::kAnswerEditId, u"rex");
      platform::ui::ClickDialogButton(shown, commands::kKeepLoggedInCheckId);
      platform::ui::ClickDialogButton(shown, IDOK);
    });
    ASSERT_TRUE(first.Run([&] {
      GetWindowRect(first.Toolbar(), &toolbar);
      EXPECT_TRUE(first.ClickButton(commands::kLoginCommand));
    }));
    platform::WaitForWorkerThreads();
    EXPECT_EQ(dialog.left, toolbar.right - 460) << "the dialog hangs under the toolbar's right";
    EXPECT_EQ(dialog.top, toolbar.bottom + 2);
    EXPECT_EQ(dialog.right, toolbar.right);

    for (BrowserWindowThread* window : {&first, &second}) {
      ASSERT_TRUE(window->Run([&] {
        EXPECT_EQ(window->ButtonText(commands::kLoginCommand), u"  Log out");
        EXPECT_EQ(window->CommandText(commands::kAutoLoginCommand), commands::kAutoLoginActiveText);
      }));
    }
    EXPECT_EQ(session::ReadMemberId(), "9F3A7C21E4B04D55");
    EXPECT_EQ(session::ReadSso(), "SSO-ALICE-7d1e2f");

    // The next totals tick: its worker's answer reaches each window on its
    // own thread.
    clock_.Advance(session::kTotalsPeriodMs);
    std::string money[2];
    for (int round = 0; round < kEnoughRounds && money[1] != "My Money $12.500"; ++round) {
      ASSERT_TRUE(first.Run([&] { money[0] = first.CommandText(session::kMoneyCommand); }));
      platform::WaitForWorkerThreads();
      ASSERT_TRUE(second.Run([&] { money[1] = second.CommandText(session::kMoneyCommand); }));
    }
    ASSERT_TRUE(first.Run([&] { money[0] = first.CommandText(session::kMoneyCommand); }));
    EXPECT_EQ(money[0], "My Money $12.500");
    EXPECT_EQ(money[1], "My Money $12.500");
    ASSERT_TRUE(second.Run([&] {
      EXPECT_EQ(second.CommandText(session::kTellFriendsCommand), "Friends 7");
      EXPECT_EQ(second.CommandText(session::kVmailCommand), "Vmail 3");
    }));
  }
  ASSERT_FALSE(session::GlobalSinglton::Existing()) << "both windows closed: the session went";
  session::GlobalSinglton::SetMemberId({});
  session::GlobalSinglton::SetSsoToken({});

  // A later session knows the member from the registry alone.
  BrowserWindowThread third;
  BrowserWindowThread fourth;
  ASSERT_TRUE(third.Run([&] {
    EXPECT_TRUE(session::GlobalSinglton::IsMember());
    EXPECT_EQ(session::GlobalSinglton::SsoToken(), "SSO-ALICE-7d1e2f");
    EXPECT_EQ(third.ButtonText(commands::kLoginCommand), u"  Log out");
  }));
  service_.ClearRequests();
  ASSERT_TRUE(fourth.Run([&] { EXPECT_TRUE(fourth.ClickButton(commands::kLoginCommand)); }));
  platform::WaitForWorkerThreads();
  for (BrowserWindowThread* window : {&third, &fourth}) {
    ASSERT_TRUE(
        window->Run([&] { EXPECT_EQ(window->ButtonText(commands::kLoginCommand), u"  Login"); }));
  }
  EXPECT_EQ(AutoLoginTargets(),
            std::vector<std::string>{"/autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=0"});
  EXPECT_FALSE(session::GlobalSinglton::IsMember());
  EXPECT_EQ(session::ReadMemberId(), "");
  EXPECT_EQ(session::ReadSso(), "");
}

}  // namespace
