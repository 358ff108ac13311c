#include "commands/navigation/UninstallC.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "commands/testing/ProductTab.h"
#include "commands/testing/ProgramWitness.h"
#include "platform/clock/testing/Sleepers.h"

namespace commands {
namespace {

using testing::kInstallDirectory;
using testing::ProductTab;

constexpr auto kSafetyNet = std::chrono::seconds(30);  // only ever reached when a test is broken

class UninstallCTest : public testing::ProductCommandsTest {
 protected:
  static std::string UninstallerPath() {
    return std::string(kInstallDirectory) + "\\Uninstall Halvo.exe";
  }
  // A click that is still waiting when the test ends (it failed) is let
  // go before anything it uses goes.
  ~UninstallCTest() override {
    if (click_.valid()) clock_.Advance(kUninstallerStartWaitMs);
  }

  // The click runs on another thread, so that a click that waits for the
  // clock fails the test instead of hanging it.
  std::future<void>& ClickAside(ProductTab& tab) {
    framework::CommandC* command = tab.Command(kUninstallCommand);
    click_ = std::async(std::launch::async, [command] { command->Execute(nullptr); });
    return click_;
  }

 private:
  std::future<void> click_;
};

TEST_F(UninstallCTest, StartsTheUninstallerWithoutArgumentsAndReturnsASecondLater) {
  testing::ProgramWitness uninstaller(UninstallerPath());
  ASSERT_TRUE(uninstaller.Installed());
  ProductTab tab;
  EXPECT_TRUE(tab.Command(kUninstallCommand)->IsEnabled());
  const std::uint64_t start = platform::TickCount64();
  std::future<void>& click = ClickAside(tab);
  ASSERT_TRUE(platform::testing::AwaitSleepers(1, kSafetyNet)) << "the click waits on the clock";
  const std::optional<std::string> started = uninstaller.AwaitStart(kSafetyNet);
  ASSERT_TRUE(started) << "started before the wait, not after it";
  EXPECT_EQ(*started, *platform::ToHostPath(UninstallerPath()) + "|0");
  EXPECT_EQ(click.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
  clock_.Advance(1000);
  ASSERT_EQ(click.wait_for(kSafetyNet), std::future_status::ready);
  EXPECT_EQ(platform::TickCount64() - start, 1000u);
  EXPECT_TRUE(tab.Pages().empty());
}

TEST_F(UninstallCTest, AMissingUninstallerIsIgnoredWithoutWaiting) {
  ProductTab tab;
  std::future<void>& click = ClickAside(tab);
  EXPECT_EQ(click.wait_for(kSafetyNet), std::future_status::ready);
  EXPECT_TRUE(tab.Pages().empty());
}

TEST_F(UninstallCTest, WithoutAnInstallDirectoryNothingIsStarted) {
  testing::ProgramWitness elsewhere("C:\\Uninstall Halvo.exe");
  ASSERT_TRUE(elsewhere.Installed());
  session::testing::StoreSetting("HotIcon", "hoticon.ico");
  ProductTab tab;
  std::future<void>& click = ClickAside(tab);
  EXPECT_EQ(click.wait_for(kSafetyNet), std::future_status::ready);
}

}  // namespace
}  // namespace commands
