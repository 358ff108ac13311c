#include "commands/UpdateC.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>

#include "commands/ProductCommands.h"
#include "platform/browser/BrowserObject.h"
#include "platform/clock/Clock.h"
#include "platform/files/FileSystem.h"
#include "platform/process/testing/ExecutableFile.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/MessageQueue.h"
#include "session/GlobalSinglton.h"
#include "session/testing/SessionTestSupport.h"
#include "session/update/UpdateCheck.h"
#include "tests/support/PosixFd.h"

namespace commands {
namespace {

const std::string kInstallDirectory = "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar";
const std::string kInstallerPath = kInstallDirectory + "\\VimaruSetup.exe";
// Nobody listens there: the installer is already in place, so the check
// announces it without downloading.
const std::string kDownloadUrl = "http://127.0.0.1:9/download/VimaruSetup.exe";

// What a started installer tells the test: a pipe whose write end the
// program inherits, and which reads as ended once the program has exited.
class StartReport {
 public:
  StartReport() {
    int ends[2];
    if (::pipe(ends) != 0) return;
    read_ = test_support::PosixFd(ends[0]);
    write_ = test_support::PosixFd(ends[1]);
    ::fcntl(read_.Get(), F_SETFD, FD_CLOEXEC);
  }

  // A program that writes its argument count into the pipe.
  std::string Script() const {
    return "#!/bin/sh\necho \"started with $# arguments\" >&" + std::to_string(write_.Get()) + "\n";
  }

  // Everything the program wrote, once it has gone; nullopt when the pipe
  // did not end within a guard that only a program that never ran reaches.
  std::optional<std::string> Read() {
    write_.Reset();
    std::string text;
    for (;;) {
      pollfd entry{read_.Get(), POLLIN, 0};
      if (::poll(&entry, 1, 5000) != 1) return std::nullopt;
      char block[256];
      const ssize_t got = ::read(read_.Get(), block, sizeof block);
      if (got < 0) return std::nullopt;
      if (got == 0) return text;
      text.append(block, static_cast<std::size_t>(got));
    }
  }

 private:
  test_support::PosixFd read_;
  test_support::PosixFd write_;
};

class UpdateCTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session::testing::CreateSettingsKey();
    session::testing::StoreSetting("HotIcon", kInstallDirectory + "\\VimaruIEToolbar.dll");
    session::GlobalSinglton::SetUpdateAvailable(false);
  }
  void TearDown() override {
    platform::WaitForWorkerThreads();
    platform::ui::RunUntilIdle();
  }

  // A tab with the product's commands, as the browser opens one.
  std::unique_ptr<session::ContextC> OpenTab() {
    auto context =
        std::make_unique<session::ContextC>(nullptr, ProductCommandClasses(), browser_, nullptr);
    context->Initialize();
    return context;
  }

  static UpdateC& Button(session::ContextC& tab) {
    auto* button = dynamic_cast<UpdateC*>(tab.FindCommand(session::kUpdateCommand));
    EXPECT_NE(button, nullptr);
    return *button;
  }

  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  session::testing::ScopedEnvironment ads_{"VIMARU_ADS_ENDPOINT", "http://127.0.0.1:9/ads"};
  session::testing::ScopedEnvironment utils_{"VIMARU_UTILS_ENDPOINT", "http://127.0.0.1:9/utils"};
  platform::ComPtr<platform::BrowserObject> browser_ = platform::CreateBrowserWindow();
  StartReport report_;
};

TEST_F(UpdateCTest, ABlankDisabledButtonUntilAnUpdateIsAnnounced) {
  const std::unique_ptr<session::ContextC> tab = OpenTab();
  UpdateC& button = Button(*tab);
  EXPECT_EQ(button.Name(), "VimaruIEToolbar.Update");
  EXPECT_FALSE(button.IsEnabled());
  EXPECT_EQ(button.Text(), " ");
  EXPECT_EQ(button.InstallerPath(), "");
  button.Execute(nullptr);  // nothing to start, nothing happens
}

TEST_F(UpdateCTest, TheAnnouncementShowsTheButtonAndPressingItStartsTheInstaller) {
  const std::unique_ptr<session::ContextC> tab = OpenTab();
  ASSERT_TRUE(platform::testing::WriteExecutableScript(kInstallerPath, report_.Script()));
  session::ExecuteProgram(kDownloadUrl);
  UpdateC& button = Button(*tab);
  EXPECT_TRUE(button.IsEnabled());
  EXPECT_EQ(button.Text(), "  Update");
  EXPECT_EQ(button.InstallerPath(), kInstallerPath);

  button.Execute(nullptr);
  EXPECT_EQ(report_.Read(), "started with 0 arguments\n");
}

TEST_F(UpdateCTest, ATabOpenedAfterTheAnnouncementStartsTheSameInstaller) {
  ASSERT_TRUE(platform::testing::WriteExecutableScript(kInstallerPath, report_.Script()));
  const std::unique_ptr<session::ContextC> first = OpenTab();
  session::ExecuteProgram(kDownloadUrl);
  const std::unique_ptr<session::ContextC> later = OpenTab();
  UpdateC& button = Button(*later);
  EXPECT_TRUE(button.IsEnabled());
  EXPECT_EQ(button.Text(), "  Update");
  EXPECT_EQ(button.InstallerPath(), kInstallerPath);
  button.Execute(nullptr);
  EXPECT_EQ(report_.Read(), "started with 0 arguments\n");
}

TEST_F(UpdateCTest, AnInstallerThatCannotStartIsIgnored) {
  const std::unique_ptr<session::ContextC> tab = OpenTab();
  ASSERT_TRUE(platform::WriteWholeFile(kInstallerPath, "not a program"));
  session::ExecuteProgram(kDownloadUrl);
  UpdateC& button = Button(*tab);
  ASSERT_EQ(button.InstallerPath(), kInstallerPath);
  button.Execute(nullptr);
  ASSERT_TRUE(platform::RemoveFile(kInstallerPath));
  button.Execute(nullptr);
  EXPECT_EQ(report_.Read(), "") << "nothing ran";
}

}  // namespace
}  // namespace commands
