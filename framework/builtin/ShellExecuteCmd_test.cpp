#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/BuiltinTestSupport.h"
#include "framework/builtin/ElevationBroker.h"
#include "platform/files/FileSystem.h"
#include "platform/process/testing/ExecutableFile.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/ui/Window.h"

namespace framework {
namespace {

constexpr char kPolicyId[] = "{0B7C3F6C-5A4B-4F3E-9A1D-2C8E7F6A5B4C}";

// What the standard dialog class saw: the titles of windows created and
// whether each was destroyed again.
struct DialogClassLog {
  std::vector<std::u16string> created;
  int destroyed = 0;
};
DialogClassLog g_dialogLog;

LRESULT CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) g_dialogLog.created.push_back(platform::ui::WindowText(hwnd));
  if (message == WM_DESTROY) ++g_dialogLog.destroyed;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ShellExecuteCmdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_dialogLog = {};
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DialogProc;
    windowClass.lpszClassName = kDialogClassName;
    RegisterClassExW(&windowClass);
    context_.elevationPolicyId = kPolicyId;
    command_.Initialise(&context_, nullptr, nullptr);
    ASSERT_TRUE(platform::MakeDirectories("C:\\Program Files\\Vimaru"));
  }
  void TearDown() override { UnregisterClassW(kDialogClassName, nullptr); }

  // The helper: a shell script that writes its arguments to a file and
  // exits with `exitCode`.
  void InstallHelper(int exitCode) {
    const std::string script =
        "#!/bin/sh\nprintf '%s|' \"$@\" > \"$(dirname \"$0\")/args.txt\"\nexit " +
        std::to_string(exitCode) + "\n";
    ASSERT_TRUE(
        platform::testing::WriteExecutableScript("C:\\Program Files\\Vimaru\\broker.sh", script));
    Register("C:\\Program Files\\Vimaru", "broker.sh");
  }
  void Register(std::string_view appPath, std::string_view appName) {
    platform::RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, std::string(kElevationPolicyKey) + kPolicyId),
              ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue("AppPath", appPath), ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue("AppName", appName), ERROR_SUCCESS);
  }
  static std::string HelperArguments() {
    return platform::ReadWholeFile("C:\\Program Files\\Vimaru\\args.txt").value_or("<none>");
  }

  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot root_;
  testing::FakeTabContext context_;
  ShellExecuteCmdC command_{"ShellExecute"};
};

TEST(BrokerCommandLine, JoinsTheFieldsWithMarkers) {
  ShellExecuteRequest request{"open", "C:\\a.exe", "-x", "C:\\", 3, true};
  EXPECT_EQ(BrokerCommandLine(request), "-shellexecute open##C:\\a.exe##-x##C:\\##3##1");
  EXPECT_EQ(BrokerCommandLine({}), "-shellexecute ########5##0");
}

TEST_F(ShellExecuteCmdTest, TheHelperGetsTheRequestAndItsExitCodeComesBack) {
  InstallHelper(3);
  context_.AddTextCommand("Target", "notepad.exe");
  command_.ExecuteWithParameter("##Target##");
  EXPECT_EQ(command_.LastExitCode(), 3);
  EXPECT_EQ(HelperArguments(), "-shellexecute|##notepad.exe######5##0|");
  EXPECT_EQ(g_dialogLog.created, std::vector<std::u16string>{kBrokerWindowTitle});
  EXPECT_EQ(g_dialogLog.destroyed, 1);
}

TEST_F(ShellExecuteCmdTest, NoElevationPolicyMeansNoStart) {
  InstallHelper(0);
  context_.elevationPolicyId.clear();
  command_.ExecuteWithParameter("notepad.exe");
  EXPECT_EQ(command_.LastExitCode(), -1);
  EXPECT_EQ(HelperArguments(), "<none>");
  EXPECT_TRUE(g_dialogLog.created.empty());
}

TEST_F(ShellExecuteCmdTest, AnUnregisteredOrMissingHelperGivesUpAndLeavesNoWindow) {
  command_.ExecuteWithParameter("notepad.exe");
  EXPECT_EQ(command_.LastExitCode(), -1);
  Register("", "broker.sh");
  command_.ExecuteWithParameter("notepad.exe");
  EXPECT_EQ(command_.LastExitCode(), -1);
  Register("C:\\Program Files\\Vimaru", "absent.exe");
  command_.ExecuteWithParameter("notepad.exe");
  EXPECT_EQ(command_.LastExitCode(), -1);
  EXPECT_EQ(g_dialogLog.created.size(), 3U);
  EXPECT_EQ(g_dialogLog.destroyed, 3);
}

}  // namespace
}  // namespace framework
