#include "tools/inspect/PageSubcommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "platform/registry/RegistryTestHooks.h"
#include "tools/inspect/SubcommandTestSupport.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

using testing::ToolRun;

ToolRun RunPage(const std::vector<std::string_view>& arguments) {
  return testing::RunSubcommand(RunPageSubcommand, arguments);
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

constexpr const char* kLayout =
    "<toolband xmlns='http://www.vimaru.com/toolband'>"
    "<combo-box command='ToolBand.Nop' id='Page.Text' width='120'/>"
    "<edit command='ToolBand.Nop' id='Page.Other' width='80'/>"
    "<read-only command='ToolBand.Nop' id='Page.Shown' width='80'/>"
    "<button command='FindNext' caption='Find' show-caption='yes' parameter='##Page.Text##'/>"
    "<button command='Highlight' caption='Mark' toggle-button='yes' parameter='##Page.Text##'/>"
    "<button command='JavaScript' caption='Say' parameter=\"function orvane_main() { "
    "say('##Page.Other##'); "
    "}\"/>"
    "<button command='Dialog' caption='About' filename='About.HTM' dialog-width='400'/>"
    "<button command='Navigate' id='Page.Off' caption='Off' disabled='1' url='about:blank'/>"
    "</toolband>";

class PageSubcommandTest : public ::testing::Test {
 protected:
  PageSubcommandTest() {
    std::random_device random;
    do {
      directory_ = fs::temp_directory_path() / ("vimaru-page-test-" + std::to_string(random()));
    } while (!fs::create_directory(directory_));
    layout_ = Write("layout.xml", kLayout);
    page_ = Write("top.html",
                  "<html><body><p>The <b>blue</b> whale is big.</p>"
                  "<iframe name='side' src='side.html'></iframe>"
                  "<div>A blue sky &amp; a blue sea.</div></body></html>");
    Write("side.html", "<body>Side blue</body>");
  }
  ~PageSubcommandTest() override {
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(directory_ / name, std::ios::binary) << bytes;
    return (directory_ / name).string();
  }
  ToolRun RunWithLayout(std::vector<std::string_view> actions) {
    std::vector<std::string_view> arguments{page_, "--layout", layout_};
    arguments.insert(arguments.end(), actions.begin(), actions.end());
    return RunPage(arguments);
  }

  platform::ScopedRegistryReset registry_;
  fs::path directory_;
  std::string layout_;
  std::string page_;
};

TEST_F(PageSubcommandTest, ThePageAndItsFrameLoadWithEveryEventInOrder) {
  const ToolRun run = RunWithLayout({});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"url\": \"Z:"), std::string::npos) << run.out;
  EXPECT_EQ(Count(run.out, "\"target\": \"\""), 1U) << run.out;  // one navigation asked for
  const std::size_t before = run.out.find("\"name\": \"BeforeNavigate2\"");
  const std::size_t frame = run.out.find("side.html\",\n      \"frame\": true");
  const std::size_t complete = run.out.rfind("\"name\": \"DocumentComplete\"");
  ASSERT_NE(before, std::string::npos) << run.out;
  ASSERT_NE(frame, std::string::npos) << run.out;
  ASSERT_NE(complete, std::string::npos) << run.out;
  EXPECT_LT(before, frame);
  EXPECT_LT(frame, complete);
  EXPECT_NE(run.out.find("\"id\": 259"), std::string::npos);
  EXPECT_NE(run.out.find("\"selection\": null"), std::string::npos);
  EXPECT_NE(run.out.find("\"highlights\": []"), std::string::npos);
  EXPECT_NE(run.out.find("A blue sky & a blue sea."), std::string::npos) << run.out;
}

TEST_F(PageSubcommandTest, TypedTextReachesFindAndHighlightThroughItsPlaceholder) {
  // A page without frames: which document a find visits first is not this tool's business.
  const std::string page = Write("flat.html",
                                 "<body><p>The <b>blue</b> whale is big.</p>"
                                 "<div>A blue sky &amp; a blue sea.</div></body>");
  // Typing again replaces what the box showed: "skyblue" would match nothing.
  const ToolRun run =
      RunPage({page, "--layout", layout_, "--type", "Page.Text=sky", "--type", "Page.Text=blue",
               "--run", "FindNext", "--run", "FindNext", "--run", "Highlight"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // The second search moved on from the first match to the second.
  EXPECT_NE(run.out.find("\"text\": \"blue\",\n    \"start\": 26,\n    \"end\": 30"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(Count(run.out, "\"id\": \"orvane-highlight-"), 3U) << run.out;
  EXPECT_EQ(Count(run.out, "\"text\": \"blue\"\n"), 3U) << run.out;
}

TEST_F(PageSubcommandTest, HighlightTwiceLeavesNoSpans) {
  const ToolRun run =
      RunWithLayout({"--type", "Page.Text=blue", "--run", "Highlight", "--run", "Highlight"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"highlights\": []"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("The blue whale is big."), std::string::npos) << run.out;
}

TEST_F(PageSubcommandTest, ScriptsAndDialogsAreListedAsThePageWasAskedForThem) {
  const ToolRun run = RunWithLayout(
      {"--type", "Page.Other=it's \"here\"", "--run", "JavaScript", "--run", "Dialog"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"language\": \"javascript\""), std::string::npos) << run.out;
  EXPECT_NE(
      run.out.find(
          "\"code\": \"orvane_main();\\nfunction orvane_main() { say('it's \\\"here\\\"'); }\""),
      std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("about.htm\",\n      \"options\": "
                         "\"dialogHeight:160px;dialogWidth:400px;status=no;help=off\""),
            std::string::npos)
      << run.out;
}

TEST_F(PageSubcommandTest, UsageAndActionsThatCannotBePlayed) {
  EXPECT_EQ(RunPage({}).exitCode, 2);
  EXPECT_EQ(RunPage({page_, "--type"}).exitCode, 2);
  EXPECT_EQ(RunPage({page_, "--type", "NoEquals"}).exitCode, 2);
  EXPECT_EQ(RunPage({page_, "--type", "=text"}).exitCode, 2);
  EXPECT_EQ(RunPage({page_, "--run", ""}).exitCode, 2);
  EXPECT_EQ(RunPage({page_, "other.html"}).exitCode, 2);

  const ToolRun unknown = RunWithLayout({"--run", "Nowhere"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.err.find("Nowhere"), std::string::npos);
  EXPECT_TRUE(unknown.out.empty());
  EXPECT_EQ(RunWithLayout({"--type", "Page.Shown=x"}).exitCode, 1);  // read-only field
  EXPECT_EQ(RunWithLayout({"--type", "FindNext=x"}).exitCode, 1);    // a button
  EXPECT_EQ(RunWithLayout({"--run", "Page.Off"}).exitCode, 1);       // switched off: no button

  const std::string foreign = Write("foreign.xml", "<toolband/>");
  EXPECT_EQ(RunPage({page_, "--layout", foreign}).exitCode, 1);
}

// A URL of a scheme the browser does not load is refused by its name before
// anything loads, not turned into a file path beside the working directory.
TEST_F(PageSubcommandTest, UnsupportedSchemesAreRefusedByName) {
  const std::string usage =
      "usage: vimaru-tool page URL [--layout LOCATION] [--type ID=TEXT]... [--run ID]...\n";
  const ToolRun ftp = RunPage({"ftp://x/"});
  EXPECT_EQ(ftp.exitCode, kExitUsage);
  EXPECT_EQ(ftp.out, "");
  EXPECT_EQ(ftp.err,
            "vimaru-tool page: the scheme 'ftp' is not supported: the browser loads http, https, "
            "file, res and about: addresses and host paths\n" +
                usage);
  const ToolRun layout = RunPage({page_, "--layout", "http://127.0.0.1:1/x.xml"});
  EXPECT_EQ(layout.exitCode, kExitUsage);
  EXPECT_EQ(layout.out, "");
  EXPECT_EQ(layout.err.rfind("vimaru-tool page: the scheme 'http' is not supported: ", 0), 0u)
      << layout.err;
}

// The page is not played on the label a missing layout leaves: that would
// pass for the layout's toolbar.
TEST_F(PageSubcommandTest, AMissingLayoutFailsWithTheLoadersMessage) {
  const std::string missing = (directory_ / "missing.xml").string();
  const ToolRun run = RunPage({page_, "--layout", missing});
  EXPECT_EQ(run.exitCode, kExitFailure);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("vimaru-tool page: Can't find XML document Z:", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("missing.xml (the file does not exist or cannot be read).\n"),
            std::string::npos)
      << run.err;
}

TEST_F(PageSubcommandTest, APageThatCannotBeLoadedFailsWithTheErrorPageShown) {
  const std::string missing = (directory_ / "missing.html").string();
  const ToolRun run = RunPage({missing, "--layout", layout_, "--run", "FindNext"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("vimaru-tool page: the page "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("missing.html does not exist or cannot be read"), std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("\"name\": \"DocumentComplete\""), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tools
