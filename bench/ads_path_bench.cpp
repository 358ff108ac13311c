// The ads path on loopback, as the user meets it: a tab of the stand-in
// browser with the product's toolbar shows a page, the ads button is
// pressed, the page is scanned, the ads thread asks the reference service
// for the page's ads and the sidebar's page receives them. Measured from the
// click to the sidebar's HTML being in place, over 200 clicks on 200
// different pages (each of a different category and length); prints the
// median, the 99th percentile and the extremes in milliseconds.
//
//   build/default/bench/ads_path_bench [CLICKS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "commands/QXC.h"
#include "platform/clock/Clock.h"
#include "bench/AdsPathPages.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/text/CodePage.h"
#include "platform/ui/WorkerPump.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"
#include "tools/inspect/BrowserWithToolbar.h"
#include "tools/inspect/ControlNames.h"
#include "tools/inspect/DocumentBody.h"
#include "tools/inspect/ToolbarUser.h"
#include "tools/refservice/ProductEnvironment.h"
#include "tools/refservice/ReferenceService.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kWorkerGuard = std::chrono::seconds(30);

}  // namespace

int main(int argc, char** argv) {
  const int clicks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const platform::ScopedFileSystemRoot files;
  const platform::ScopedRegistryReset registry;
  // The tab asks for ads at most once a second; the clock moves on between
  // clicks instead of the bench waiting.
  platform::VirtualClock clock;
  const refservice::ReferenceService service;
  for (const auto& [name, value] : refservice::ProductEnvironmentFor(service.BaseUrl())) {
    ::setenv(name.c_str(), value.c_str(), 1);
  }
  platform::MakeDirectories("C:\\Pages");
  for (int index = 0; index < clicks; ++index) {
    platform::WriteWholeFile("C:\\Pages\\page" + std::to_string(index) + ".html", bench::AdsPathPage(index));
  }

  tools::BrowserWithToolbar window(tools::ShippedLayoutLocation());
  framework::ToolBandC* toolband = window.ToolBand();
  framework::ControlI* button =
      toolband == nullptr ? nullptr : tools::FindControlByCommandName(*toolband, commands::kQXCommand);
  if (button == nullptr) {
    std::fprintf(stderr, "the shipped toolbar has no ads button\n");
    return 1;
  }
  platform::ui::RunUntilWorkersDone(kWorkerGuard);  // the session's category lists

  std::vector<double> milliseconds;
  int empty = 0;
  for (int index = 0; index < clicks; ++index) {
    window.Navigate(platform::AnsiToWide("C:\\Pages\\page" + std::to_string(index) + ".html"));
    clock.Advance(2000);
    // Every navigation hides the sidebar, so the click shows it again.
    const auto start = Clock::now();
    tools::Click(*toolband, *button);
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
    const auto end = Clock::now();
    std::shared_ptr<session::TabContextC> record;
    {
      session::GlobalSinglton::Existing session;
      if (session) record = session->GetTabContextByBrowser(&window.Browser());
    }
    const std::u16string html = record ? tools::DocumentBody(record->SidebarBrowser().Get(), tools::BodyContent::kMarkup)
                                       : u"";
    if (html.find(u"http://127.0.0.1") == std::u16string::npos) ++empty;
    milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }

  std::printf("ads path, click to sidebar HTML in place, %d clicks on %d pages\n", clicks, clicks);
  std::printf("  median %.3f ms  p99 %.3f ms  min %.3f ms  max %.3f ms\n",
              bench::Percentile(milliseconds, 0.5), bench::Percentile(milliseconds, 0.99),
              bench::Percentile(milliseconds, 0.0), bench::Percentile(milliseconds, 1.0));
  std::printf("  clicks whose sidebar showed no ad: %d\n", empty);
  return 0;
}
