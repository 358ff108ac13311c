#include "session/update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/browser/UrlMon.h"
#include "platform/clock/Clock.h"
#include "platform/files/FileSystem.h"
#include "platform/net/VirtualClockWake.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Trace.h"
#include "platform/ui/MessageQueue.h"
#include "session/GlobalSinglton.h"
#include "session/testing/SessionTestSupport.h"
#include "session/update/UpdateLimits.h"
#include "session/update/testing/UpdateTab.h"
#include "tests/support/BackgroundCall.h"
#include "tests/support/ScriptedPeer.h"
#include "tools/refservice/ReferenceService.h"

namespace session {
namespace {

using testing::UpdateTab;

const std::string kInstallDirectory = "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar";
const std::string kInstaller = std::string("MZ\x90\0\x03\0installer", 15);

refservice::ReferenceServiceOptions Announcing(std::string version, std::string download) {
  refservice::ReferenceServiceOptions options;
  options.version =
      refservice::VersionData{17, std::move(download), 60, 24, false, std::move(version)};
  return options;
}

std::size_t DownloadRequests(const refservice::ReferenceService& service) {
  const auto requests = service.Requests();
  return static_cast<std::size_t>(std::count_if(
      requests.begin(), requests.end(), [](const auto& r) { return r.operation == "download"; }));
}

using testing::SessionReference;

// Every test starts with no update announced, the product installed where
// HotIcon says, and a tab open on the test's thread.
class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::CreateSettingsKey();
    testing::StoreSetting("HotIcon", kInstallDirectory + "\\VimaruIEToolbar.dll");
    GlobalSinglton::SetUpdateAvailable(false);
    session_->AddContext(&tab_);
  }
  void TearDown() override {
    platform::WaitForWorkerThreads();
    platform::ui::RunUntilIdle();
    session_->RemoveContext(&tab_);
  }

  // Runs the check on a worker against `service`, as the update timer does,
  // and lets the tab's thread take what the worker handed it.
  void CheckAgainst(const refservice::ReferenceService& service) {
    const testing::ScopedEnvironment utils("VIMARU_UTILS_ENDPOINT", service.UtilsEndpoint());
    Update();
    platform::WaitForWorkerThreads();
    platform::ui::RunUntilIdle();
  }

  void ExpectNoButton() {
    EXPECT_FALSE(GlobalSinglton::IsUpdateAvailable());
    EXPECT_FALSE(tab_.Button().IsEnabled());
    EXPECT_EQ(tab_.Button().Text(), " ");
    EXPECT_EQ(tab_.Button().InstallerPath(), "");
  }
  void ExpectButtonFor(const std::string& installerPath) {
    EXPECT_TRUE(GlobalSinglton::IsUpdateAvailable());
    EXPECT_TRUE(tab_.Button().IsEnabled());
    EXPECT_EQ(tab_.Button().Text(), "  Update");
    EXPECT_EQ(tab_.Button().InstallerPath(), installerPath);
    EXPECT_EQ(AnnouncedInstallerPath(), installerPath);
  }

  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  SessionReference session_;
  UpdateTab tab_;
};

TEST_F(UpdateCheckTest, TheInstallerIsNamedAfterTheLastSegmentWithOnlyItsLastExtensionReplaced) {
  struct Case {
    std::string segment;
    std::string installer;
  };
  const std::vector<Case> cases = {
      {"setup.beta.exe", "setup.beta.exe"},
      {"setup.zip", "setup.exe"},
      {"VimaruSetup.exe", "VimaruSetup.exe"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.segment);
    GlobalSinglton::SetUpdateAvailable(false);
    auto options = Announcing("1.9.0.0", "{site}/download/" + test.segment);
    options.downloads = {{test.segment, kInstaller}};
    const refservice::ReferenceService service(options);
    CheckAgainst(service);

    const std::string installerPath = kInstallDirectory + "\\" + test.installer;
    EXPECT_EQ(platform::ReadWholeFile(installerPath), kInstaller);
    EXPECT_FALSE(platform::PathExists(installerPath + "__")) << "moved into place";
    ExpectButtonFor(installerPath);
    EXPECT_EQ(DownloadRequests(service), 1u);
  }
}

TEST_F(UpdateCheckTest, OnlyTheInstalledVersionItselfIsNoUpdate) {
  struct Case {
    const char* version;
    bool update;
  };
  for (const Case& test : {Case{"2.0.0.1", false}, Case{"1.9.0.0", true}, Case{"2.0.0.2", true}}) {
    SCOPED_TRACE(test.version);
    GlobalSinglton::SetUpdateAvailable(false);
    platform::RemoveFile(kInstallDirectory + "\\VimaruSetup.exe");
    const refservice::ReferenceService service(
        Announcing(test.version, "{site}/download/VimaruSetup.exe"));
    CheckAgainst(service);
    EXPECT_EQ(DownloadRequests(service), test.update ? 1u : 0u);
    EXPECT_EQ(GlobalSinglton::IsUpdateAvailable(), test.update);
    EXPECT_EQ(platform::PathExists(kInstallDirectory + "\\VimaruSetup.exe"), test.update);
  }
}

TEST_F(UpdateCheckTest, AnInstallerAlreadyInPlaceIsNotDownloadedAgain) {
  const std::string installerPath = kInstallDirectory + "\\VimaruSetup.exe";
  ASSERT_TRUE(platform::WriteWholeFile(installerPath, "downloaded by an earlier browser"));
  const refservice::ReferenceService service(
      Announcing("2.0.0.2", "{site}/download/VimaruSetup.exe"));
  CheckAgainst(service);
  EXPECT_EQ(DownloadRequests(service), 0u);
  EXPECT_EQ(platform::ReadWholeFile(installerPath), "downloaded by an earlier browser");
  ExpectButtonFor(installerPath);
}

TEST_F(UpdateCheckTest, ADirectoryWhereTheInstallerGoesIsDownloadedPastButNotReplaced) {
  const std::string installerPath = kInstallDirectory + "\\VimaruSetup.exe";
  ASSERT_TRUE(platform::MakeDirectory(installerPath));
  std::vector<std::string> trace;
  const platform::ScopedTraceCapture capture(
      [&](std::string_view line) { trace.emplace_back(line); });
  const refservice::ReferenceService service(
      Announcing("2.0.0.2", "{site}/download/VimaruSetup.exe"));
  CheckAgainst(service);
  EXPECT_EQ(DownloadRequests(service), 1u);
  EXPECT_NE(std::find(trace.begin(), trace.end(), "moving downloaded file"), trace.end());
  EXPECT_TRUE(platform::IsDirectory(installerPath));
  ExpectNoButton();
}

TEST_F(UpdateCheckTest, AFailedVersionCallShowsNothing) {
  refservice::ReferenceService service(Announcing("2.0.0.2", "{site}/download/VimaruSetup.exe"));
  service.Misbehave("VersionInfo", refservice::Misbehaviour::Status(500, "down"));
  CheckAgainst(service);
  EXPECT_EQ(DownloadRequests(service), 0u);
  ExpectNoButton();
}

TEST_F(UpdateCheckTest, ADownloadThatFailsShowsNoButtonAndLeavesNoFile) {
  const std::string refused =
      "http://127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort()) +
      "/download/VimaruSetup.exe";
  for (const std::string& download : {std::string("{site}/download/Missing.exe"), refused,
                                      std::string("ftp://127.0.0.1/VimaruSetup.exe")}) {
    SCOPED_TRACE(download);
    const refservice::ReferenceService service(Announcing("2.0.0.2", download));
    CheckAgainst(service);
    ExpectNoButton();
    EXPECT_TRUE(platform::FindFiles(kInstallDirectory + "\\*").empty())
        << "neither the installer nor its temporary file";
  }
}

TEST_F(UpdateCheckTest, ASegmentWithoutADotKeepsItsWholeName) {
  auto options = Announcing("2.0.0.2", "{site}/download/VimaruSetup");
  options.downloads = {{"VimaruSetup", kInstaller}};
  const refservice::ReferenceService service(options);
  CheckAgainst(service);
  EXPECT_EQ(platform::ReadWholeFile(kInstallDirectory + "\\VimaruSetup.exe"), kInstaller);
  ExpectButtonFor(kInstallDirectory + "\\VimaruSetup.exe");
}

TEST_F(UpdateCheckTest, ANameThatWouldLeaveTheInstallDirectoryIsNeverFetched) {
  // Served, so that only the name stands between the file and the disk.
  const std::vector<std::string> names = {"..\\..\\evil.exe", "..%5C..%5Cevil.exe", "C:%5Cevil.exe",
                                          "con.exe", ".exe"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    auto options = Announcing("2.0.0.2", "{site}/download/" + name);
    options.downloads = {{name, kInstaller}};
    const refservice::ReferenceService service(options);
    CheckAgainst(service);
    EXPECT_EQ(DownloadRequests(service), 0u);
    ExpectNoButton();
    EXPECT_TRUE(platform::FindFiles(kInstallDirectory + "\\*").empty());
    EXPECT_FALSE(platform::PathExists("C:\\Program Files\\evil.exe"));
    EXPECT_FALSE(platform::PathExists("C:\\evil.exe"));
  }
}

TEST_F(UpdateCheckTest, AnInstallerPastTheSizeLimitIsStoppedWhetherAnnouncedOrNot) {
  struct Case {
    const char* name;
    std::uint64_t size;
    bool chunked;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {"one byte more, announced", kMaxInstallerBytes + 1, false, false},
      {"one byte more, chunked", kMaxInstallerBytes + 1, true, false},
      {"exactly the limit", kMaxInstallerBytes, false, true},  // last: the tab keeps its button
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    GlobalSinglton::SetUpdateAvailable(false);
    platform::RemoveFile(kInstallDirectory + "\\VimaruSetup.exe");
    auto options = Announcing("2.0.0.2", "{site}/download/VimaruSetup.exe");
    options.downloads = {{"VimaruSetup.exe", std::string(test.size, 'x')}};
    refservice::ReferenceService service(options);
    if (test.chunked) {
      service.Misbehave("/download/VimaruSetup.exe", refservice::Misbehaviour::Chunked(64 * 1024));
    }
    CheckAgainst(service);
    EXPECT_EQ(DownloadRequests(service), 1u);
    if (test.accepted) {
      ExpectButtonFor(kInstallDirectory + "\\VimaruSetup.exe");
      EXPECT_EQ(platform::GetFileFacts(kInstallDirectory + "\\VimaruSetup.exe")->size, test.size);
    } else {
      ExpectNoButton();
      EXPECT_TRUE(platform::FindFiles(kInstallDirectory + "\\*").empty());
    }
  }
}

TEST_F(UpdateCheckTest, ASilentDownloadEndsOnTheProductsClockWithNoButton) {
  test_support::ScriptedPeer peer;
  peer.Serve({test_support::ConnectionScript().ReadRequest().WaitForClientClose()});
  test_support::BackgroundCall call(
      clock_, [url = peer.Url("/download/VimaruSetup.exe")] { ExecuteProgram(url); });
  ASSERT_TRUE(peer.AwaitRequests(1));
  ASSERT_TRUE(platform::net::AwaitBlockedSocketWaits(1, test_support::kCallWait));
  clock_.Advance(platform::kDownloadSilenceLimitMs);
  ASSERT_TRUE(call.Join());
  platform::ui::RunUntilIdle();
  ExpectNoButton();
  EXPECT_TRUE(platform::FindFiles(kInstallDirectory + "\\*").empty());
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST_F(UpdateCheckTest, TheFirstUpdateTickRunsTheCheckOnAWorker) {
  if (GlobalSinglton::HasCheckedForUpdate()) {
    GTEST_SKIP()
        << "the update timer ticked earlier in this process (ctest gives each test its own)";
  }
  const refservice::ReferenceService service(
      Announcing("2.0.0.2", "{site}/download/VimaruSetup.exe"));
  const testing::ScopedEnvironment utils("VIMARU_UTILS_ENDPOINT", service.UtilsEndpoint());
  InstallUpdateCheck();
  clock_.Advance(kUpdatePeriodMs);
  platform::ui::RunUntilIdle();
  platform::WaitForWorkerThreads();
  platform::ui::RunUntilIdle();
  GlobalSinglton::SetUpdateCheck(nullptr);
  EXPECT_EQ(DownloadRequests(service), 1u);
  ExpectButtonFor(kInstallDirectory + "\\VimaruSetup.exe");
}

}  // namespace
}  // namespace session
