// The shipped layout in the tools is the product's own toolbar: its tab
// context with every product command, not the framework's built-ins alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/registry/RegistryTestHooks.h"
#include "session/testing/SessionTestSupport.h"
#include "tools/inspect/BrowserWithToolbar.h"
#include "tools/inspect/PageSubcommand.h"
#include "tools/inspect/SubcommandTestSupport.h"
#include "tools/inspect/ToolbarSubcommand.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

using Env = session::testing::ScopedEnvironment;

// Every service and site the product reaches, on a loopback port where
// nothing listens, so a walk through the toolbar stays on this machine.
constexpr char kNowhere[] = "http://127.0.0.1:9";

class ProductToolbarTest : public ::testing::Test {
 protected:
  ProductToolbarTest() {
    std::random_device random;
    do {
      directory_ = fs::temp_directory_path() / ("vimaru-product-test-" + std::to_string(random()));
    } while (!fs::create_directory(directory_));
    page_ = (directory_ / "page.html").string();
    std::ofstream(page_, std::ios::binary) << "<body>Cars for sale</body>";
  }
  ~ProductToolbarTest() override {
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }

  platform::ScopedRegistryReset registry_;
  Env ads_{"VIMARU_ADS_ENDPOINT", std::string(kNowhere) + "/qxadsex.asmx"};
  Env utils_{"VIMARU_UTILS_ENDPOINT", std::string(kNowhere) + "/utils/utils.asmx"};
  Env webSite_{"VIMARU_WEB_SITE", std::string(kNowhere) + "/"};
  Env searchSite_{"VIMARU_SEARCH_SITE", kNowhere};
  Env msn_{"VIMARU_SEARCH_MSN", kNowhere};
  fs::path directory_;
  std::string page_;
};

TEST_F(ProductToolbarTest, TheShippedToolbarCarriesTheProductsCommandsInItsOrder) {
  const testing::ToolRun run =
      testing::RunSubcommand(RunToolbarSubcommand, {ShippedLayoutLocation()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::size_t at = 0;
  for (const char* command :
       {"VimaruIEToolbar.Search", "VimaruIEToolbar.SearchBoxBtn", "VimaruIEToolbar.QX",
        "VimaruIEToolbar.Money", "VimaruIEToolbar.TellFriends", "VimaruIEToolbar.Vmail",
        "VimaruIEToolbar.Update", "VimaruIEToolbar.Login", "VimaruIEToolbar.Register"}) {
    at = run.out.find(std::string("\"command\": \"") + command + '"', at);
    ASSERT_NE(at, std::string::npos) << command << " missing or out of order\n" << run.out;
  }
  // No update announced: the Update button is there, disabled, without a caption.
  EXPECT_NE(run.out.find("\"state\": 0,\n      \"text\": \" \",\n      \"image\": -2"),
            std::string::npos)
      << run.out;
}

TEST_F(ProductToolbarTest, ASearchTypedIntoTheShippedToolbarGoesToTheEngineEncoded) {
  const testing::ToolRun run = testing::RunSubcommand(
      RunPageSubcommand,
      {page_, "--type", "VimaruIEToolbar.Search=AT&T c++", "--run", "VimaruIEToolbar.SearchBoxBtn"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"url\": \"http://127.0.0.1:9/results.aspx?q=AT%26T+c%2B%2B\""),
            std::string::npos)
      << run.out;
}

TEST_F(ProductToolbarTest, AProductMenuItemOfTheShippedToolbarOpensItsPage) {
  const testing::ToolRun run =
      testing::RunSubcommand(RunPageSubcommand, {page_, "--run", "VimaruIEToolbar.Help"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("http://127.0.0.1:9/public/Help.aspx"), std::string::npos) << run.out;
}

TEST_F(ProductToolbarTest, AnyOtherLayoutKeepsTheBuiltInCommandsAlone) {
  const std::string layout = (directory_ / "layout.xml").string();
  std::ofstream(layout, std::ios::binary)
      << "<toolband xmlns='http://www.vimaru.com/toolband'>"
         "<button command='VimaruIEToolbar.Help' caption='Help'/>"
         "<button command='Navigate' id='Home' caption='Home' url='about:blank'/></toolband>";
  const testing::ToolRun run = testing::RunSubcommand(RunToolbarSubcommand, {layout});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.find("VimaruIEToolbar.Help"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"command\": \"Home\""), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tools
