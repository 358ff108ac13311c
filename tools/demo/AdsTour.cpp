#include "tools/demo/AdsTour.h"

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "commands/ProductCommands.h"
#include "commands/QXC.h"
#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/clock/Clock.h"
#include "platform/com/ComInit.h"
#include "platform/com/Guid.h"
#include "platform/resources/ModuleResources.h"
#include "platform/text/CodePage.h"
#include "platform/ui/WorkerPump.h"
#include "session/CategoryTable.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"
#include "session/tab/ContextC.h"
#include "session/tab/HookC.h"
#include "tools/inspect/ControlNames.h"
#include "tools/inspect/DocumentBody.h"
#include "tools/inspect/ProductClasses.h"
#include "tools/inspect/ToolbarUser.h"

namespace demo {
namespace {

constexpr auto kWorkerGuard = std::chrono::seconds(30);

std::string Utf8(std::u16string_view text) { return platform::WideToUtf8(text); }

// The sidebar's document body, as markup or as the text a reader sees.
std::u16string SidebarBody(const session::TabContextC& record, bool markup) {
  return tools::DocumentBody(record.SidebarBrowser().Get(),
                             markup ? tools::BodyContent::kMarkup : tools::BodyContent::kText);
}

bool WriteHostFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

class AdsTour {
 public:
  AdsTour(std::ostream& out, const refservice::ReferenceService& service)
      : out_(out), service_(service) {}

  bool Play(const std::filesystem::path& pictureDirectory) {
    out_ << "\nThe ads sidebar, in a tab with the product's toolbar\n";
    // The browser's window thread is a COM apartment; bands are created there.
    const platform::ScopedComInit com;
    const tools::ProductClasses productClasses;
    platform::BrowserFrame frame;
    const auto hook = platform::Make<session::HookC>(commands::ProductCommandClasses());
    if (FAILED(frame.AddToolbar(static_cast<IDeskBand*>(hook.Get()), session::CLSID_IEHook))) {
      out_ << "  the toolbar could not be hosted\n";
      return false;
    }
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
    {
      session::GlobalSinglton::Existing session;
      const auto table = session ? session->Categories() : nullptr;
      out_ << "  category lists: " << (table ? table->CategoryCount() : 0) << " categories\n";
    }

    const std::string page = service_.BaseUrl() + "/pages/cars.html";
    frame.Browser().Navigate(platform::Bstr(platform::AnsiToWide(page)).Get(), nullptr, nullptr,
                             nullptr, nullptr);
    out_ << "  page: " << page << "\n  sidebar shown: " << (SidebarShown(frame) ? "yes" : "no")
         << '\n';

    // The tab asks for ads at most once a second; the reader takes two
    // seconds over the page before pressing the button.
    clock_.Advance(2000);
    const std::size_t requestsBefore = service_.RequestCount();
    framework::ToolBandC* toolband = hook->TabContext()->ToolBand();
    framework::ControlI* button =
        toolband ? tools::FindControlByCommandName(*toolband, commands::kQXCommand) : nullptr;
    if (button == nullptr || !tools::Click(*toolband, *button)) {
      out_ << "  the ads button could not be pressed\n";
      return false;
    }
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
    out_ << "  pressed the ads button; sidebar shown: " << (SidebarShown(frame) ? "yes" : "no")
         << '\n';
    PrintAdsRequests(requestsBefore);

    std::shared_ptr<session::TabContextC> record;
    {
      session::GlobalSinglton::Existing session;
      if (session) record = session->GetTabContextByBrowser(&frame.Browser());
    }
    if (!record) return false;
    out_ << "  the sidebar reads:\n";
    PrintIndented(Utf8(SidebarBody(*record, false)));
    WritePicturePages(pictureDirectory, Utf8(SidebarBody(*record, true)));

    const std::string next = service_.BaseUrl() + "/pages/recipes.html";
    frame.Browser().Navigate(platform::Bstr(platform::AnsiToWide(next)).Get(), nullptr, nullptr,
                             nullptr, nullptr);
    out_ << "  page: " << next << "\n  sidebar shown: " << (SidebarShown(frame) ? "yes" : "no")
         << " (every navigation hides it)\n";
    frame.Quit();
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
    return true;
  }

  bool SidebarShown(platform::BrowserFrame& frame) {
    session::GlobalSinglton::Existing session;
    return session && session->IsSidebarVisible(&frame.Browser());
  }

  void PrintAdsRequests(std::size_t from) {
    const auto requests = service_.Requests();
    for (std::size_t index = from; index < requests.size(); ++index) {
      const auto& request = requests[index];
      if (request.operation != "GetPublicAds" && request.operation != "GetMemberAds") continue;
      out_ << "  the ads thread asked " << request.operation << ':';
      for (const auto& parameter : request.parameters) {
        out_ << ' ' << parameter.name << "=\"" << parameter.text << '"';
      }
      out_ << '\n';
    }
  }

  void PrintIndented(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      if (!line.empty()) out_ << "    | " << line << '\n';
      start = end + 1;
    }
  }

  void WritePicturePages(const std::filesystem::path& directory, const std::string& content) {
    const auto waitingPage = platform::FindModuleResource("HTML", "AD.HTM");
    if (!waitingPage || content.empty() || !WriteHostFile(directory / "ad.htm", *waitingPage) ||
        !WriteHostFile(directory / "sidebar_fragment.html", content)) {
      out_ << "  the sidebar's pages could not be written for its picture\n";
      return;
    }
    out_ << "  wrote " << (directory / "ad.htm").string() << " and "
         << (directory / "sidebar_fragment.html").string() << " for the sidebar's picture\n";
  }

  std::ostream& out_;
  const refservice::ReferenceService& service_;
  // The demo plays the user's pauses on the product's clock instead of
  // waiting them out.
  platform::VirtualClock clock_;
};

}  // namespace

bool PlayAdsTour(std::ostream& out, const refservice::ReferenceService& service,
                 const std::filesystem::path& pictureDirectory) {
  return AdsTour(out, service).Play(pictureDirectory);
}

}  // namespace demo
