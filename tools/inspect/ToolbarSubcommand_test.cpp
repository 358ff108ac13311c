#include "tools/inspect/ToolbarSubcommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <vector>

#include "platform/registry/RegistryTestHooks.h"
#include "tools/inspect/SubcommandTestSupport.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

using testing::ToolRun;

ToolRun RunToolbar(const std::vector<std::string_view>& arguments) {
  return testing::RunSubcommand(RunToolbarSubcommand, arguments);
}

class ToolbarSubcommandTest : public ::testing::Test {
 protected:
  ToolbarSubcommandTest() {
    std::random_device random;
    do {
      directory_ = fs::temp_directory_path() / ("vimaru-toolbar-test-" + std::to_string(random()));
    } while (!fs::create_directory(directory_));
  }
  ~ToolbarSubcommandTest() override {
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(directory_ / name, std::ios::binary) << bytes;
    return (directory_ / name).string();
  }

  platform::ScopedRegistryReset registry_;
  fs::path directory_;
};

TEST_F(ToolbarSubcommandTest, PrintsButtonsControlsAndTheCommandsKeysExecuted) {
  const std::string layout = Write(
      "layout.xml",
      "<toolband xmlns='http://www.vimaru.com/toolband'>"
      "<button command='Navigate' id='Home' caption='Home' show-caption='yes' hotkey='Alt+H'/>"
      "<separator/>"
      "<button command='Navigate' id='Off' caption='Off' disabled='1' hotkey='Alt+H'/>"
      "<edit command='ToolBand.Nop' width='80' hotkey='Ctrl+Shift+F5'/>"
      "</toolband>");
  const std::string svg = (directory_ / "toolbar.svg").string();
  const ToolRun run = RunToolbar({layout, "--keys", "Alt+H,Ctrl+Shift+F5,Ctrl+Q", "--svg", svg});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"text\": \"Home\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"style\": 80"), std::string::npos) << run.out;  // auto-size + show text
  EXPECT_NE(run.out.find("\"shown\": false"), std::string::npos) << run.out;
  // The edit field takes its key (the focus) but runs no command.
  EXPECT_NE(run.out.find("\"executed\": [\n    \"Home\",\n    \"ToolBand.Nop\"\n  ]"),
            std::string::npos)
      << run.out;
  EXPECT_TRUE(fs::file_size(svg) > 0);
}

TEST_F(ToolbarSubcommandTest, TheWidestToolbarIsDrawnAtTheLargestCoordinate) {
  const std::string layout = Write("wide.xml",
                                   "<toolband xmlns='http://www.vimaru.com/toolband'>"
                                   "<edit command='ToolBand.Nop' width='99999999999'/>"
                                   "<edit command='ToolBand.Nop' auto-size='yes'/>"
                                   "</toolband>");
  const std::string svg = (directory_ / "wide.svg").string();
  const ToolRun run = RunToolbar({layout, "--width", "32767", "--svg", svg});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"right\": 32767"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("\"right\": -"), std::string::npos) << run.out;
  std::ifstream drawn(svg);
  const std::string picture((std::istreambuf_iterator<char>(drawn)), {});
  EXPECT_NE(picture.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32767\""),
            std::string::npos)
      << picture.substr(0, 200);
}

TEST_F(ToolbarSubcommandTest, UsageAndGivenUpToolbars) {
  EXPECT_EQ(RunToolbar({}).exitCode, 2);
  EXPECT_EQ(RunToolbar({"x.xml", "--width", "0"}).exitCode, 2);
  for (std::string_view width : {"32768", "99999999999", "-1"}) {
    const ToolRun run = RunToolbar({"x.xml", "--width", width});
    EXPECT_EQ(run.exitCode, 2) << width;
    EXPECT_NE(run.err.find("--width takes 1 to 32767 pixels"), std::string::npos) << run.err;
  }
  EXPECT_EQ(RunToolbar({"x.xml", "--keys"}).exitCode, 2);
  const std::string foreign = Write("foreign.xml", "<toolband/>");
  const ToolRun givenUp = RunToolbar({foreign});
  EXPECT_EQ(givenUp.exitCode, 1);
  EXPECT_EQ(givenUp.out, "");
  EXPECT_NE(givenUp.err.find("the toolbar is given up"), std::string::npos) << givenUp.err;

  const ToolRun url = RunToolbar({"http://127.0.0.1:1/x.xml"});
  EXPECT_EQ(url.exitCode, 2);
  EXPECT_EQ(url.out, "");
  EXPECT_EQ(url.err.rfind("vimaru-tool toolbar: the scheme 'http' is not supported: ", 0), 0u)
      << url.err;
}

// The label of an unreadable layout is the toolbar the browser would show,
// so it is printed and drawn; the subcommand still fails with its message.
TEST_F(ToolbarSubcommandTest, UnreadableLayoutIsShownAndFails) {
  const std::string broken =
      Write("broken.xml", "<toolband xmlns='http://www.vimaru.com/toolband'>\n<button>");
  const std::string svg = (directory_ / "label.svg").string();
  const ToolRun run = RunToolbar({broken, "--svg", svg});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("\"kind\": \"label\""), std::string::npos) << run.out;
  EXPECT_TRUE(fs::file_size(svg) > 0);
  EXPECT_EQ(run.err.rfind("vimaru-tool toolbar: Unable to parse XML document Z:", 0), 0u)
      << run.err;
  EXPECT_NE(run.err.find("broken.xml (line 2, column "), std::string::npos) << run.err;

  const ToolRun unwritable = RunToolbar(
      {Write("ok.xml", "<toolband xmlns='http://www.vimaru.com/toolband'><button/></toolband>"),
       "--svg", (directory_ / "no" / "such" / "dir.svg").string()});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_NE(unwritable.out.find("\"buttons\""), std::string::npos);
  EXPECT_NE(unwritable.err.find("cannot write the picture to "), std::string::npos)
      << unwritable.err;
}

}  // namespace
}  // namespace tools
