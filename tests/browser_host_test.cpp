// Whole browsing sessions played by vimaru-browser, the stand-in browser,
// from scripts: the module registered and loaded through COM activation as
// the browser loads it, and each step's state read from its JSON lines.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tools/refservice/ReferenceService.h"

namespace {

using nlohmann::json;

struct HostRun {
  int exit = -1;
  std::vector<json> steps;  // one per line of standard output
  std::string errors;       // standard error
};

class BrowserHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vimaru-browser-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch_ = pattern;
    root_ = scratch_ / "root";
  }
  void TearDown() override { std::filesystem::remove_all(scratch_); }

  // Plays `script` on the test's root; `options` are more arguments,
  // already quoted for the shell.
  HostRun Play(const std::string& script, const std::string& options = "") {
    const auto file = scratch_ / ("script-" + std::to_string(++runs_) + ".txt");
    std::ofstream(file) << script;
    const auto errors = scratch_ / "errors.txt";
    // Chromium's shot of the sidebar is the demo's; here it would only be slow.
    const std::string command = std::string("CHROMIUM=/bin/false '") + VIMARU_BROWSER + "' '" +
                                file.string() + "' --json --root '" + root_.string() + "' --out '" +
                                (scratch_ / "out").string() + "' " + options + " 2>'" +
                                errors.string() + "'";
    HostRun run;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe) return run;
    std::string output;
    char block[65536];
    for (std::size_t got; (got = fread(block, 1, sizeof block, pipe.get())) > 0;) {
      output.append(block, got);
    }
    const int status = pclose(pipe.release());
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
      run.steps.push_back(json::parse(line, nullptr, /*allow_exceptions=*/false));
      EXPECT_FALSE(run.steps.back().is_discarded()) << "not JSON: " << line;
    }
    std::ifstream in(errors);
    run.errors.assign(std::istreambuf_iterator<char>(in), {});
    return run;
  }

  std::filesystem::path scratch_;
  std::filesystem::path root_;
  int runs_ = 0;
};

// The top-level control of that command in a step's state, or null.
const json* Control(const json& step, std::string_view command) {
  for (const json& control : step["state"]["toolbar"]) {
    if (control["command"] == command) return &control;
  }
  return nullptr;
}

bool Received(const json& step, std::string_view request) {
  for (const json& each : step["state"]["requests"]) {
    if (each.get<std::string>() == request) return true;
  }
  return false;
}

constexpr char kLoginAsAlice[] = "dialog login alice@example.com tulip-42 2 rex keep ok\n";

TEST_F(BrowserHostTest, RegisteringListsTheToolbarEveryNewWindowShowsAndUnregisteringTakesItAway) {
  const HostRun run = Play(
      "register\n"
      "open {site}/pages/plain.html\n"
      "unregister\n"
      "open {site}/pages/plain.html\n");
  ASSERT_EQ(run.exit, 0) << run.errors;
  ASSERT_EQ(run.steps.size(), 4u);
  EXPECT_EQ(run.steps[0]["result"], 0) << "S_OK, as a number";
  EXPECT_EQ(run.steps[0]["state"]["registry"]["HotIcon"],
            "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll,224");
  EXPECT_EQ(run.steps[0]["state"]["registry"]["MemberId"], "");
  ASSERT_NE(Control(run.steps[1], "VimaruIEToolbar.Login"), nullptr);
  EXPECT_EQ(run.steps[1]["state"]["windows"], 1);
  EXPECT_TRUE(Received(run.steps[1], "GetCategoryList"));
  EXPECT_TRUE(Received(run.steps[1], "/pages/plain.html"));

  EXPECT_EQ(run.steps[2]["result"], 0);
  EXPECT_TRUE(run.steps[2]["state"]["registry"]["HotIcon"].is_null());
  EXPECT_TRUE(run.steps[2]["state"]["registry"]["MemberId"].is_null());
  EXPECT_EQ(run.steps[2]["state"]["toolbar"].size(), run.steps[1]["state"]["toolbar"].size())
      << "a window open before keeps its toolbar";
  EXPECT_EQ(run.steps[3]["state"]["windows"], 2);
  EXPECT_TRUE(run.steps[3]["state"]["toolbar"].empty()) << "the list names no toolbar any more";
}

TEST_F(BrowserHostTest, UnregisteringWhatWasNeverRegisteredReportsTheModulesError) {
  const HostRun run = Play("unregister\nstate\n");
  EXPECT_EQ(run.exit, 1) << "a failed step makes the run fail";
  ASSERT_EQ(run.steps.size(), 2u) << "and the next step still runs";
  ASSERT_TRUE(run.steps[0]["result"].is_number());
  EXPECT_LT(run.steps[0]["result"].get<int>(), 0);
}

TEST_F(BrowserHostTest, TheAdsButtonShowsAdsMatchedToThePageAndANavigationHidesThem) {
  const HostRun run = Play(
      "register\n"
      "open {site}/pages/cars.html\n"
      "wait 2000\n"  // a tab asks for ads at most every other second of its life
      "click VimaruIEToolbar.QX\n"
      "navigate {site}/pages/plain.html\n");
  ASSERT_EQ(run.exit, 0) << run.errors;
  const json& shown = run.steps[3]["state"];
  EXPECT_TRUE(shown["sidebar"]["visible"]);
  const std::string html = shown["sidebar"]["html"];
  EXPECT_NE(html.find("/click?ad="), std::string::npos) << html;
  EXPECT_TRUE(Received(run.steps[3], "GetPublicAds")) << shown["requests"];
  EXPECT_TRUE((*Control(run.steps[3], "VimaruIEToolbar.QX"))["checked"]);
  EXPECT_FALSE(run.steps[4]["state"]["sidebar"]["visible"]);
}

TEST_F(BrowserHostTest, LoginKeepsTheMemberAndTheNextRunLogsInByItself) {
  const HostRun first = Play(std::string("register\nopen {site}/pages/plain.html\n") +
                             kLoginAsAlice + "click Login\nwait 5000\n");
  ASSERT_EQ(first.exit, 0) << first.errors;
  ASSERT_EQ(first.steps.size(), 5u);
  const json& loggedIn = first.steps[3];
  EXPECT_EQ(loggedIn["state"]["dialogs"], json::array({"login"}));
  EXPECT_TRUE(Received(loggedIn, "Login"));
  EXPECT_TRUE(Received(loggedIn, "/autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=1"));
  EXPECT_EQ(loggedIn["state"]["registry"]["MemberId"], "9F3A7C21E4B04D55");
  EXPECT_EQ(loggedIn["state"]["registry"]["SSO"], "SSO-ALICE-7d1e2f");
  EXPECT_EQ(loggedIn["state"]["registry"]["AutoLoggin"], "true");
  EXPECT_EQ((*Control(loggedIn, "VimaruIEToolbar.Login"))["caption"], "  Log out");
  const json* money = Control(first.steps[4], "VimaruIEToolbar.Money");
  ASSERT_NE(money, nullptr);
  EXPECT_EQ((*money)["caption"], "My Money $12.500");
  EXPECT_TRUE((*money)["enabled"]);

  EXPECT_GT(first.steps[1]["state"]["files"]["categoryCacheBytes"].get<int>(), 0);

  const HostRun second = Play("open {site}/pages/plain.html\nwait 5000\n");
  ASSERT_EQ(second.exit, 0) << second.errors;
  EXPECT_FALSE(Received(second.steps[0], "GetCategoryList")) << "the lists come from the cache";
  EXPECT_EQ((*Control(second.steps[0], "VimaruIEToolbar.Login"))["caption"], "  Log out");
  EXPECT_TRUE(second.steps[0]["state"]["dialogs"].empty()) << "no dialog: it logs in by itself";
  EXPECT_EQ((*Control(second.steps[1], "VimaruIEToolbar.Money"))["caption"], "My Money $12.500");
}

TEST_F(BrowserHostTest, ACancelledLoginLeavesTheMemberLoggedOut) {
  const HostRun run = Play(
      "register\nopen {site}/pages/plain.html\n"
      "dialog login alice@example.com tulip-42 2 rex nokeep cancel\nclick Login\n");
  ASSERT_EQ(run.exit, 0) << run.errors;
  EXPECT_EQ(run.steps[3]["state"]["dialogs"], json::array({"login"}));
  EXPECT_FALSE(Received(run.steps[3], "Login"));
  EXPECT_EQ(run.steps[3]["state"]["registry"]["MemberId"], "");
  EXPECT_EQ((*Control(run.steps[3], "VimaruIEToolbar.Login"))["caption"], "  Login");
}

TEST_F(BrowserHostTest, TotalsReachEveryWindowAndGoOnWhenTheFirstCloses) {
  const HostRun run = Play(std::string("register\nopen {site}/pages/plain.html\n") + kLoginAsAlice +
                           "click Login\n"
                           "open {site}/pages/travel.html\n"
                           "wait 5000\n"
                           "window 1\n"
                           "close\n"
                           "wait 5000\n");
  ASSERT_EQ(run.exit, 0) << run.errors;
  ASSERT_EQ(run.steps.size(), 9u);
  const json& both = run.steps[5];
  EXPECT_EQ(both["state"]["windows"], 2);
  EXPECT_EQ(both["state"]["url"].get<std::string>().find("/pages/travel.html") != std::string::npos,
            true);
  EXPECT_EQ((*Control(both, "VimaruIEToolbar.TellFriends"))["caption"], "Friends 7");
  EXPECT_EQ(run.steps[7]["state"]["windows"], 1);
  const json& after = run.steps[8];
  EXPECT_TRUE(Received(after, "Statistics")) << "the timer moved to the window left open";
  EXPECT_EQ((*Control(after, "VimaruIEToolbar.Vmail"))["caption"], "Vmail 3");
}

TEST_F(BrowserHostTest, SearchingGoesToTheEngineAndTheHistoryOutlivesTheRun) {
  const HostRun first = Play(
      "register\nopen {site}/pages/plain.html\n"
      "type AT&T c++\n"
      "key Enter\n"
      "click VimaruIEToolbar.SearchBoxBtn\n"
      "close\n");
  ASSERT_EQ(first.exit, 0) << first.errors;
  EXPECT_TRUE(first.steps[3]["state"]["navigations"].empty())
      << "Enter only chooses the text; the button searches";
  const json& searched = first.steps[4]["state"];
  ASSERT_EQ(searched["navigations"].size(), 1u) << searched["navigations"];
  const std::string url = searched["navigations"][0]["url"];
  EXPECT_NE(url.find("q=AT%26T+c%2B%2B"), std::string::npos) << url;
  EXPECT_EQ(searched["navigations"][0]["newWindow"], false);
  EXPECT_EQ((*Control(first.steps[4], "VimaruIEToolbar.Search"))["items"],
            json::array({"AT&T c++"}));
  const json& closed = first.steps[5]["state"];
  ASSERT_TRUE(closed["files"]["searchHistory"].is_string());
  EXPECT_NE(closed["files"]["searchHistory"].get<std::string>().find("AT&T c++"),
            std::string::npos);

  const HostRun second = Play("open {site}/pages/plain.html\nclick Search > Yahoo\n");
  ASSERT_EQ(second.exit, 0) << second.errors;
  EXPECT_EQ((*Control(second.steps[0], "VimaruIEToolbar.Search"))["items"],
            json::array({"AT&T c++"}));
  ASSERT_EQ(second.steps[1]["state"]["navigations"].size(), 1u);
}

TEST_F(BrowserHostTest, TheUpdateButtonAppearsOnceTheInstallerIsInAndStartsIt) {
  const HostRun run = Play(
      "register\nopen {site}/pages/plain.html\n"
      "wait 9900\n"
      "wait 100\n"
      "click VimaruIEToolbar.Update\n");
  ASSERT_EQ(run.exit, 0) << run.errors;
  EXPECT_FALSE((*Control(run.steps[2], "VimaruIEToolbar.Update"))["enabled"]);
  const json& due = run.steps[3];
  EXPECT_TRUE(Received(due, "VersionInfo")) << due["state"]["requests"];
  EXPECT_TRUE(Received(due, "/download/VimaruSetup.exe"));
  EXPECT_TRUE((*Control(due, "VimaruIEToolbar.Update"))["enabled"]);
  const json& processes = run.steps[4]["state"]["processes"];
  ASSERT_EQ(processes.size(), 1u);
  EXPECT_EQ(processes[0]["path"],
            "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruSetup.exe");
  EXPECT_EQ(processes[0]["arguments"], "");
  EXPECT_TRUE(processes[0]["started"]);
}

TEST_F(BrowserHostTest, AMenuItemIsChosenByItsCaption) {
  const HostRun run = Play("register\nopen {site}/pages/plain.html\nclick ToolBand.Nop > Help\n");
  ASSERT_EQ(run.exit, 0) << run.errors;
  const json& navigations = run.steps[2]["state"]["navigations"];
  ASSERT_EQ(navigations.size(), 1u);
  EXPECT_NE(navigations[0]["url"].get<std::string>().find("/public/Help.aspx"), std::string::npos);
}

TEST_F(BrowserHostTest, APictureIsTheToolbarAndTheSidebarsPage) {
  const HostRun run = Play(
      "register\nopen {site}/pages/cars.html\nwait 2000\nclick VimaruIEToolbar.QX\n"
      "picture shot\n");
  ASSERT_EQ(run.exit, 0) << run.errors;
  const json& files = run.steps[4]["files"];
  const auto out = scratch_ / "out";
  EXPECT_EQ(files[0], (out / "shot.svg").string());
  std::ifstream svg(out / "shot.svg");
  const std::string drawn((std::istreambuf_iterator<char>(svg)), {});
  EXPECT_TRUE(drawn.starts_with("<svg")) << drawn.substr(0, 80);
  EXPECT_NE(drawn.find("Classifieds"), std::string::npos);
  std::ifstream page(out / "shot-sidebar.html");
  const std::string html((std::istreambuf_iterator<char>(page)), {});
  EXPECT_NE(html.find("/click?ad="), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out / "shot-sidebar.png")) << "no Chromium here";
}

TEST_F(BrowserHostTest, APictureThatCannotBeWrittenFailsItsStepOnly) {
  const HostRun run = Play("register\nopen {site}/pages/plain.html\npicture shot\nstate\n",
                           "--out /proc/no-such-directory");
  EXPECT_EQ(run.exit, 1);
  ASSERT_EQ(run.steps.size(), 4u);
  EXPECT_EQ(run.steps[2]["result"], "cannot write /proc/no-such-directory/shot.svg");
  EXPECT_EQ(run.steps[3]["result"], "ok");
}

TEST_F(BrowserHostTest, TheClassifiedsAndTheAutoLoginSwitchWorkFromTheirMenus) {
  const HostRun run = Play(
      "register\nopen {site}/pages/plain.html\n"
      "click Classifieds > Vehicles\n"
      "click ToolBand.Nop > VimaruIEToolbar.AutoLogin\n"
      "click ToolBand.Nop > VimaruIEToolbar.AutoLogin\n");
  ASSERT_EQ(run.exit, 0) << run.errors;
  const json& classifieds = run.steps[2]["state"]["navigations"];
  ASSERT_EQ(classifieds.size(), 1u);
  EXPECT_NE(classifieds[0]["url"].get<std::string>().find("/classifieds/search?"),
            std::string::npos);
  EXPECT_NE(classifieds[0]["url"].get<std::string>().find("cat=vehicle"), std::string::npos);

  const auto autoLogin = [](const json& step) {
    for (const json& item : (*Control(step, "ToolBand.Nop"))["children"]) {
      if (item["command"] == "VimaruIEToolbar.AutoLogin") return item["caption"].get<std::string>();
    }
    return std::string();
  };
  EXPECT_TRUE(autoLogin(run.steps[1]).ends_with("Off"));
  EXPECT_EQ(run.steps[3]["state"]["registry"]["AutoLoggin"], "true");
  EXPECT_TRUE(autoLogin(run.steps[3]).ends_with("Active"));
  EXPECT_TRUE(Received(run.steps[3], "/autologin.aspx?sso=&AutoLogin=1"));
  EXPECT_EQ(run.steps[4]["state"]["registry"]["AutoLoggin"], "false");
  EXPECT_TRUE(autoLogin(run.steps[4]).ends_with("Off"));
}

TEST_F(BrowserHostTest, AFailedStepIsReportedAndTheRunGoesOn) {
  const HostRun run = Play(
      "register\nopen {site}/pages/plain.html\n"
      "click Nothing Like It\n"
      "click Search > Bing\n"
      "window 3\n"
      "state\n");
  EXPECT_EQ(run.exit, 1);
  ASSERT_EQ(run.steps.size(), 6u);
  EXPECT_EQ(run.steps[2]["result"], "no control on the toolbar is named Nothing Like It");
  EXPECT_EQ(run.steps[3]["result"], "Search has no item Bing");
  EXPECT_EQ(run.steps[4]["result"], "there is no window 3");
  EXPECT_EQ(run.steps[5]["result"], "ok");
}

TEST_F(BrowserHostTest, ABadLineStopsTheRunBeforeAnythingRuns) {
  const HostRun run = Play("register\nopen\n");
  EXPECT_EQ(run.exit, 2);
  EXPECT_TRUE(run.steps.empty());
  EXPECT_EQ(run.errors, "vimaru-browser: line 2: open takes one URL\n");
  EXPECT_FALSE(std::filesystem::exists(root_ / "registry.reg")) << "nothing ran";
}

// At a terminal (script(1) gives it one) each line runs as it is typed: a
// mistyped line is said and skipped, and the steps after it still run.
TEST_F(BrowserHostTest, APersonAtATerminalPlaysALineAtATime) {
  const auto typed = scratch_ / "typed.txt";
  std::ofstream(typed) << "register\nfly away\nopen {site}/pages/plain.html\n";
  const std::string inner = std::string("CHROMIUM=/bin/false '") + VIMARU_BROWSER +
                            "' --json --root '" + root_.string() + "'";
  const std::string command =
      "script -q -e -c \"" + inner + "\" /dev/null < '" + typed.string() + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
  ASSERT_TRUE(pipe);
  std::string output;
  char block[65536];
  for (std::size_t got; (got = fread(block, 1, sizeof block, pipe.get())) > 0;) {
    output.append(block, got);
  }
  const int status = pclose(pipe.release());
  EXPECT_TRUE(WIFEXITED(status)) << output;
  EXPECT_NE(output.find("vimaru-browser: line 2: unknown step 'fly'"), std::string::npos) << output;
  EXPECT_NE(output.find("{\"line\":3,\"step\":\"open {site}/pages/plain.html\",\"result\":\"ok\""),
            std::string::npos)
      << output;
}

TEST_F(BrowserHostTest, AnotherServiceIsUsedForEveryEndpointAndItsRequestsAreNotSeen) {
  refservice::ReferenceService service;
  const HostRun run = Play("register\nopen " + service.BaseUrl() + "/pages/cars.html\n",
                           "--service '" + service.BaseUrl() + "/'");
  ASSERT_EQ(run.exit, 0) << run.errors;
  EXPECT_TRUE(run.steps[1]["state"]["requests"].is_null());
  bool categories = false;
  for (const auto& request : service.Requests())
    categories |= request.operation == "GetCategoryList";
  EXPECT_TRUE(categories);

  EXPECT_EQ(Play("state\n", "--service ftp://127.0.0.1:1").exit, 1);
  EXPECT_EQ(Play("state\n", "--service http://127.0.0.1").exit, 1);
}

}  // namespace
