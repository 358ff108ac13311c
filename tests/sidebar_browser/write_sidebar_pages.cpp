// Writes what the headless browser test loads: the waiting page exactly as
// the module embeds it, and the ads fragment the sidebar builds for a member
// with three ads. Usage: write_sidebar_pages <output directory>
//
// The click URLs point at a closed loopback port: the test checks only what
// the popup frames, never what it loads.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <utility>

#include "platform/resources/ModuleResources.h"
#include "platform/text/CodePage.h"
#include "session/sidebar/SidebarContent.h"

namespace {

bool WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

soap::ResultArray<soap::AdEntry> SampleAds() {
  soap::AdEntry entries[] = {
      {u"Garden Tools", u"www.garden.example", u"Spades, rakes & hoses, shipped free.",
       u"http://127.0.0.1:1/click?ad=1"},
      {u"Cheap Flights", u"www.flights.example", u"Compare fares from 300 airlines.",
       u"http://127.0.0.1:1/click?ad=2"},
      {u"Piano Lessons", u"www.piano.example", u"Learn at home with a teacher's videos.",
       u"http://127.0.0.1:1/click?ad=3"},
  };
  soap::ResultArray<soap::AdEntry> ads(std::size(entries));
  for (auto& entry : entries) ads.Append(std::move(entry));
  return ads;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path directory = argv[1];
  std::error_code error;
  std::filesystem::create_directories(directory, error);

  const auto waitingPage = platform::FindModuleResource("HTML", "AD.HTM");
  if (!waitingPage) {
    std::fprintf(stderr, "the module has no HTML resource AD.HTM\n");
    return 1;
  }
  const auto ads = SampleAds();
  const std::string fragment =
      platform::WideToUtf8(session::BuildSidebarContent(ads, ads.Count(), true, {}));
  if (fragment.empty()) {
    std::fprintf(stderr, "the sidebar content could not be built\n");
    return 1;
  }
  return WriteFile(directory / "ad.htm", *waitingPage) &&
                 WriteFile(directory / "sidebar_fragment.html", fragment)
             ? 0
             : 1;
}
