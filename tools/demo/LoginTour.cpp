#include "tools/demo/LoginTour.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "commands/ProductCommands.h"
#include "commands/login/CDialogLogin.h"
#include "commands/login/LoginTexts.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/com/ComInit.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "platform/ui/WorkerPump.h"
#include "session/GlobalSinglton.h"
#include "session/settings/ProductSettings.h"
#include "session/tab/HookC.h"
#include "tools/demo/ToolbarPicture.h"
#include "tools/inspect/ControlNames.h"
#include "tools/inspect/ToolbarUser.h"

namespace demo {
namespace {

constexpr auto kWorkerGuard = std::chrono::seconds(30);

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") - (" +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

class LoginTour {
 public:
  LoginTour(std::ostream& out, const refservice::ReferenceService& service)
      : out_(out), service_(service), member_(service.Data().members.front()) {}

  bool Play() {
    out_ << "\nThe member's login, in a tab with the product's toolbar\n";
    // The installer leaves the product's settings key; the login keeps the
    // member's identity there.
    platform::RegistryKey settings;
    if (settings.Create(HKEY_LOCAL_MACHINE, session::kProductSettingsKey) != ERROR_SUCCESS) {
      out_ << "  the product's settings key could not be created\n";
      return false;
    }
    const platform::ScopedComInit com;
    platform::BrowserFrame frame;
    const auto hook = platform::Make<session::HookC>(commands::ProductCommandClasses());
    if (FAILED(frame.AddToolbar(static_cast<IDeskBand*>(hook.Get()), session::CLSID_IEHook))) {
      out_ << "  the toolbar could not be hosted\n";
      return false;
    }
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
    framework::ToolBandC* toolband = hook->TabContext()->ToolBand();
    if (toolband == nullptr) return false;
    RECT toolbar{};
    GetWindowRect(toolband->ToolbarWindow(), &toolbar);
    out_ << "  toolbar on the screen: " << Text(toolbar) << "\n";

    requestsBefore_ = service_.RequestCount();
    if (!Press(*toolband, "the login button")) return false;
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
    PrintLoginRequests();
    out_ << "  the login button now reads \"" << ButtonText(*hook) << "\"\n";
    out_ << "  stored: MemberId \"" << session::ReadMemberId() << "\", SSO \"" << session::ReadSso()
         << "\", AutoLoggin " << (session::ReadAutoLoggin() ? "on" : "off") << "\n";

    requestsBefore_ = service_.RequestCount();
    if (!Press(*toolband, "the log-out button")) return false;
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
    PrintLoginRequests();
    out_ << "  the login button now reads \"" << ButtonText(*hook) << "\"\n";
    frame.Quit();
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
    return true;
  }

 private:
  bool Press(framework::ToolBandC& toolband, const char* what) {
    framework::ControlI* button =
        tools::FindControlByCommandName(toolband, commands::kLoginCommand);
    const platform::ui::ScopedDialogResponder member([&](HWND dialog) { FillIn(dialog); });
    if (button == nullptr) {
      out_ << "  the toolbar has no login button\n";
      return false;
    }
    out_ << "  pressing " << what << "\n";
    return tools::Click(toolband, *button);
  }

  // The member at the dialog, as a person types into it.
  void FillIn(HWND dialog) {
    RECT placed{};
    GetWindowRect(dialog, &placed);
    out_ << "  the login dialog opens at " << Text(placed) << "\n";
    platform::ui::SelectDialogItemText(dialog, commands::kEmailEditId);
    platform::ui::TypeIntoDialogItem(dialog, commands::kEmailEditId,
                                     platform::Utf8ToWide(member_.email));
    platform::ui::TypeIntoDialogItem(dialog, commands::kPasswordEditId,
                                     platform::Utf8ToWide(member_.password));
    platform::ui::ChooseDialogListEntry(dialog, commands::kQuestionComboId,
                                        member_.securityQuestionId - 1);
    platform::ui::TypeIntoDialogItem(dialog, commands::kAnswerEditId,
                                     platform::Utf8ToWide(member_.securityAnswer));
    platform::ui::ClickDialogButton(dialog, commands::kKeepLoggedInCheckId);
    out_ << "  filled in as " << member_.email << ", \"Keep me logged in\" ticked\n  ";
    DrawDialogPicture(out_, dialog, "vimaru-login-dialog");
    platform::ui::ClickDialogButton(dialog, IDOK);
    out_ << "  pressed OK\n";
  }

  std::string ButtonText(session::HookC& hook) {
    auto* command =
        dynamic_cast<framework::CommandC*>(hook.TabContext()->FindCommand(commands::kLoginCommand));
    return command ? command->Text() : "";
  }

  // The service call first, then what the web site was told, sorted: the
  // requests to the web site go out on workers, in no order of their own.
  void PrintLoginRequests() {
    const auto requests = service_.Requests();
    for (std::size_t index = requestsBefore_; index < requests.size(); ++index) {
      const auto& request = requests[index];
      if (request.operation != "Login") continue;
      out_ << "  the service was asked Login:";
      for (const auto& parameter : request.parameters) {
        const bool secret = parameter.name == "Password";
        out_ << ' ' << parameter.name << "=\""
             << (secret ? std::string(parameter.text.size(), '*') : parameter.text) << '"';
      }
      out_ << '\n';
    }
    std::vector<std::string> told;
    for (std::size_t index = requestsBefore_; index < requests.size(); ++index) {
      if (requests[index].operation == "autologin") told.push_back(requests[index].http.target);
    }
    std::sort(told.begin(), told.end());
    for (const std::string& target : told) out_ << "  the web site was told GET " << target << '\n';
  }

  std::ostream& out_;
  const refservice::ReferenceService& service_;
  const refservice::Member& member_;
  std::size_t requestsBefore_ = 0;
};

}  // namespace

bool PlayLoginTour(std::ostream& out, const refservice::ReferenceService& service) {
  return LoginTour(out, service).Play();
}

}  // namespace demo
