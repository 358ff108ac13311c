// The module registered and unregistered with vimaru-regsvr, the regsvr32
// stand-in, in a root kept across runs, then loaded from what registration
// wrote: the browser's way in, through InprocServer32.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/activation/Activation.h"
#include "platform/browser/ShellInterfaces.h"
#include "platform/com/ComInit.h"
#include "platform/com/Guid.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace {

constexpr char kToolbarClsidKey[] =
    "[HKEY_CLASSES_ROOT\\CLSID\\{736FA7B4-0557-11DB-95BA-00C09F713765}]";
constexpr char kSidebarClsidKey[] =
    "[HKEY_CLASSES_ROOT\\CLSID\\{21B3866C-DD0C-4675-A87C-A62BF21366AF}]";
constexpr CLSID kToolbarClass = platform::MakeGuid("{736FA7B4-0557-11DB-95BA-00C09F713765}");

struct ToolRun {
  int exit = -1;
  std::string output;  // standard output and error together
};

std::size_t Occurrences(const std::string& text, std::string_view what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class ComServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vimaru-regsvr-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  // Runs the tool with `arguments` (already quoted for the shell).
  static ToolRun Regsvr(const std::string& arguments) {
    const std::string command = std::string("'") + VIMARU_REGSVR + "' " + arguments + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    ToolRun run;
    if (!pipe) return run;
    char block[4096];
    for (std::size_t got; (got = fread(block, 1, sizeof block, pipe.get())) > 0;) {
      run.output.append(block, got);
    }
    const int status = pclose(pipe.release());
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  std::string OnRoot(const std::string& switches) const {
    return switches + " '" + platform::kInstalledModulePath + "' --root '" + root_.string() + "'";
  }

  std::filesystem::path root_;
};

TEST_F(ComServerTest, RegisteringTwiceLeavesOneSetAndUnregisteringRemovesIt) {
  const ToolRun first = Regsvr(OnRoot(""));
  ASSERT_EQ(first.exit, 0) << first.output;
  EXPECT_EQ(first.output, std::string("DllRegisterServer in ") + platform::kInstalledModulePath +
                              " succeeded.\n");

  const auto exported = root_ / "after.reg";
  const ToolRun second = Regsvr(OnRoot("/s") + " --export '" + exported.string() + "'");
  ASSERT_EQ(second.exit, 0) << second.output;
  EXPECT_EQ(second.output, "") << "/s says nothing";
  const std::string registered = ReadFile(exported);
  EXPECT_TRUE(registered.starts_with("Windows Registry Editor Version 5.00"));
  EXPECT_EQ(Occurrences(registered, kToolbarClsidKey), 1u) << registered;
  EXPECT_EQ(Occurrences(registered, kSidebarClsidKey), 1u);
  EXPECT_EQ(Occurrences(registered, "\"ThreadingModel\"=\"Apartment\""), 2u);
  EXPECT_EQ(registered, ReadFile(root_ / "registry.reg")) << "the root keeps what was exported";

  const auto unregisteredFile = root_ / "unregistered.reg";
  const ToolRun removed = Regsvr(OnRoot("/u") + " --export '" + unregisteredFile.string() + "'");
  ASSERT_EQ(removed.exit, 0) << removed.output;
  EXPECT_EQ(removed.output, std::string("DllUnregisterServer in ") +
                                platform::kInstalledModulePath + " succeeded.\n");
  const std::string unregistered = ReadFile(unregisteredFile);
  EXPECT_EQ(Occurrences(unregistered, kToolbarClsidKey), 0u) << unregistered;
  EXPECT_EQ(Occurrences(unregistered, kSidebarClsidKey), 0u);
  EXPECT_EQ(Occurrences(unregistered, "InprocServer32"), 0u);
}

TEST_F(ComServerTest, TheBrowserLoadsTheModuleFromWhatRegistrationWrote) {
  ASSERT_EQ(Regsvr(OnRoot("/s")).exit, 0);

  platform::ScopedRegistryReset registry;
  platform::ScopedFileSystemRoot restore;  // gives the test's own root back afterwards
  platform::SetFileSystemRoot(root_.string());
  ASSERT_EQ(platform::LoadRegistryFile(root_ / "registry.reg"), ERROR_SUCCESS);
  platform::ScopedComInit com;
  platform::ComPtr<IObjectWithSite> toolbar;
  ASSERT_EQ(CoCreateInstance(kToolbarClass, nullptr, CLSCTX_INPROC_SERVER, IID_IObjectWithSite,
                             toolbar.ReleaseAndGetVoidAddressOf()),
            S_OK);
  EXPECT_TRUE(platform::IsInprocServerCached(platform::kInstalledModulePath));
  toolbar.Reset();
  CoFreeUnusedLibraries();
  EXPECT_FALSE(platform::IsInprocServerCached(platform::kInstalledModulePath));
}

// Without --root each run starts from an empty registry: what succeeds on a
// kept root after registering (above) finds nothing to remove here.
TEST_F(ComServerTest, WithoutARootEachRunStartsAfresh) {
  const auto exported = root_ / "fresh.reg";
  const std::string module = std::string("'") + platform::kInstalledModulePath + "'";
  const ToolRun run = Regsvr(module + " /s --export '" + exported.string() + "'");
  ASSERT_EQ(run.exit, 0) << run.output;
  EXPECT_EQ(Occurrences(ReadFile(exported), kToolbarClsidKey), 1u);

  const ToolRun again = Regsvr("/u " + module);
  EXPECT_EQ(again.exit, 5) << again.output;
  EXPECT_TRUE(again.output.starts_with(
      std::string("The module \"") + platform::kInstalledModulePath +
      "\" was loaded but the call to DllUnregisterServer failed with error code 0x"))
      << again.output;
}

TEST_F(ComServerTest, FailuresAreReportedWithRegsvrsExitCodes) {
  const ToolRun missing = Regsvr("'C:\\Nowhere\\Missing.dll' --root '" + root_.string() + "'");
  EXPECT_EQ(missing.exit, 3);
  EXPECT_EQ(missing.output, "The module \"C:\\Nowhere\\Missing.dll\" failed to load.\n");

  const ToolRun silentMissing =
      Regsvr("/s 'C:\\Nowhere\\Missing.dll' --root '" + root_.string() + "'");
  EXPECT_EQ(silentMissing.exit, 3);
  EXPECT_EQ(silentMissing.output, "");

  const ToolRun noModule = Regsvr("/u");
  EXPECT_EQ(noModule.exit, 1);
  EXPECT_NE(noModule.output.find("usage: vimaru-regsvr"), std::string::npos);
}

}  // namespace
