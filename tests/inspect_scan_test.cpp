// vimaru-tool scan against the reference service: lists fetched and cached,
// then read back from the cache, the page's counts and choice, and pages
// read as HTML.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "soap/ServiceConfig.h"
#include "tools/inspect/ScanSubcommand.h"
#include "tools/refservice/ReferenceService.h"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int exitCode;
  std::string out;
  std::string err;
};

class InspectScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(setenv(soap::kAdsEndpointVariable, service_.AdsEndpoint().c_str(), 1), 0);
    fs::create_directories(directory_);
  }
  void TearDown() override {
    unsetenv(soap::kAdsEndpointVariable);
    fs::remove_all(directory_);
  }

  std::string Write(const std::string& name, const std::string& content) {
    const fs::path path = directory_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  ToolRun Scan(std::vector<std::string> arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = tools::RunScanSubcommand(views, out, err);
    return {exitCode, out.str(), err.str()};
  }

  refservice::ReferenceService service_;
  const fs::path directory_ =
      fs::temp_directory_path() / ("vimaru-scan-" + std::to_string(::getpid()));
};

TEST_F(InspectScanTest, FetchesAndCachesTheListsThenReadsTheCache) {
  const std::string page = Write("page.txt", "Book a HOTEL with airfare, then a hotel by the beach.");
  const std::string cache = (directory_ / "iexplore.cl").string();

  const ToolRun first = Scan({page, "--cache", cache});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_NE(first.out.find("\"listsFrom\": \"service\""), std::string::npos) << first.out;
  EXPECT_TRUE(fs::exists(cache));
  EXPECT_NE(first.out.find("\"category\": \"Travel\""), std::string::npos) << first.out;
  EXPECT_NE(first.out.find("\"blockedPage\": false"), std::string::npos);
  const std::size_t requests = service_.RequestCount();
  EXPECT_EQ(requests, 2u) << "the category list and the blocked terms";

  const ToolRun second = Scan({page, "--cache", cache});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_NE(second.out.find("\"listsFrom\": \"cache\""), std::string::npos) << second.out;
  EXPECT_EQ(service_.RequestCount(), requests) << "a fresh cache asks nothing";
  // Everything but the time taken is the same.
  EXPECT_EQ(first.out.substr(first.out.find("\"categories\""),
                             first.out.find("\"scanMicroseconds\"") - first.out.find("\"categories\"")),
            second.out.substr(second.out.find("\"categories\""),
                              second.out.find("\"scanMicroseconds\"") -
                                  second.out.find("\"categories\"")));
}

TEST_F(InspectScanTest, ReadsTheBodyTextOfAnHtmlPage) {
  const std::string page = Write(
      "page.html",
      "<html><head><title>mortgage mortgage mortgage</title></head>"
      "<body><p>A <b>LAPTOP</b> and a laptop</p><script>var s = 'laptop';</script></body></html>");
  const ToolRun run = Scan({page, "--html", "--cache", (directory_ / "x.cl").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"category\": \"Electronics\""), std::string::npos) << run.out;
}

TEST_F(InspectScanTest, RefusesBadArgumentsAndMissingPages) {
  EXPECT_EQ(Scan({}).exitCode, 2);
  EXPECT_EQ(Scan({"a", "b"}).exitCode, 2);
  EXPECT_EQ(Scan({"a", "--cache"}).exitCode, 2);
  EXPECT_EQ(Scan({"a", "--bogus"}).exitCode, 2);
  const ToolRun missing = Scan({(directory_ / "none.txt").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}

}  // namespace
