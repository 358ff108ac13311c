// The product as the browser meets it, through vimaru-browser's host: the
// module loaded from what registration wrote and its first toolbar built in
// a new window; further windows (the toolbar built again, the module
// loaded); the memory each open window takes; and the ads path from the click
// on the ads button to the sidebar's HTML in place, over CLICKS clicks on as
// many different pages (each of another category and length), on loopback.
// Prints milliseconds (median, 99th percentile, extremes) and kilobytes.
//
//   build/default/bench/browser_host_bench [CLICKS [WINDOWS]]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/AdsPathPages.h"
#include "platform/files/FileSystem.h"
#include "tools/browser/BrowserHost.h"
#include "tools/browser/HostScript.h"

namespace {

using Clock = std::chrono::steady_clock;

browserhost::ScriptStep Step(const std::string& line) {
  std::istringstream text(line);
  browserhost::ParsedScript parsed = browserhost::ParseHostScript(text);
  if (parsed.error || parsed.steps.size() != 1) {
    std::fprintf(stderr, "bad step: %s\n", line.c_str());
    std::exit(2);
  }
  return std::move(parsed.steps.front());
}

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

void PrintSpread(const char* what, const std::vector<double>& values) {
  std::printf("%-46s median %7.2f ms   p99 %7.2f ms   min %7.2f ms   max %7.2f ms   (%zu)\n", what,
              bench::Percentile(values, 0.5), bench::Percentile(values, 0.99),
              *std::min_element(values.begin(), values.end()),
              *std::max_element(values.begin(), values.end()), values.size());
}

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Runs a step and stops the benchmark when it fails: a figure of a failed
// path would mislead.
double Timed(browserhost::BrowserHost& host, const std::string& line,
             browserhost::StepOutcome* outcome = nullptr) {
  const auto start = Clock::now();
  browserhost::StepOutcome result = host.Run(Step(line));
  const double took = Milliseconds(Clock::now() - start);
  if (result.result != "ok" && !result.registration) {
    std::fprintf(stderr, "%s: %s\n", line.c_str(), result.result.c_str());
    std::exit(1);
  }
  if (outcome != nullptr) *outcome = std::move(result);
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  const int clicks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const int windows = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  browserhost::HostOptions options;
  options.builtModule = VIMARU_SERVER_MODULE;
  options.out = std::filesystem::temp_directory_path();
  browserhost::BrowserHost host(options);
  if (!host.Ready()) {
    std::fprintf(stderr, "%s\n", host.Error().c_str());
    return 1;
  }
  platform::MakeDirectories("C:\\pages");
  for (int index = 0; index < clicks; ++index) {
    platform::WriteWholeFile("C:\\pages\\" + std::to_string(index) + ".html",
                             bench::AdsPathPage(index));
  }
  Timed(host, "register");

  const long before = ResidentKilobytes();
  std::printf("module loaded and the first toolbar built in a new window, page shown: %.2f ms\n",
              Timed(host, "open C:\\pages\\0.html"));
  std::vector<double> opened;
  for (int window = 1; window < windows; ++window) {
    opened.push_back(Timed(host, "open C:\\pages\\" + std::to_string(window % clicks) + ".html"));
  }
  const long after = ResidentKilobytes();
  if (!opened.empty()) PrintSpread("another window with its toolbar", opened);
  std::printf("memory per open window (%d windows): %ld KB\n", windows, (after - before) / windows);

  std::vector<double> adsPath;
  for (int index = 0; index < clicks; ++index) {
    Timed(host, "navigate C:\\pages\\" + std::to_string(index) + ".html");
    Timed(host, "wait 2000");
    // The button stays pressed over a navigation that hid the bar: the
    // first click then takes the ads away, the next brings them.
    for (int attempt = 0; attempt < 2; ++attempt) {
      browserhost::StepOutcome outcome;
      const double took = Timed(host, "click VimaruIEToolbar.QX", &outcome);
      if (outcome.state.sidebarVisible) {
        if (outcome.state.sidebarHtml.find("hdNewElements") == std::string::npos) {
          std::fprintf(stderr, "page %d: the sidebar shows no fresh ads\n", index);
          return 1;
        }
        adsPath.push_back(took);
        break;
      }
    }
  }
  PrintSpread("ads path, click to the sidebar's HTML in place", adsPath);
  return 0;
}
