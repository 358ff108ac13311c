#include "platform/process/Process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/files/FileSystem.h"
#include "platform/process/ProcessStarts.h"

namespace platform {
namespace {

class ProcessTest : public ::testing::Test {
 protected:
  // A shell script at a mapped path, executable on the host.
  std::string Script(std::string_view windowsPath, std::string_view body) {
    EXPECT_TRUE(WriteWholeFile(windowsPath, "#!/bin/sh\n" + std::string(body) + "\n"));
    std::optional<std::string> host = ToHostPath(windowsPath);
    EXPECT_TRUE(host.has_value());
    chmod(host->c_str(), 0755);
    return std::string(windowsPath);
  }

  ScopedFileSystemRoot root_;
};

TEST_F(ProcessTest, TheExitCodeComesBackAfterTheWait) {
  const std::string program = Script("C:\\helper.sh", "exit 42");
  std::optional<ProcessHandle> process = StartProcess(program, "");
  ASSERT_TRUE(process.has_value());
  EXPECT_EQ(process->WaitForExitCode(), 42);
  EXPECT_EQ(process->WaitForExitCode(), std::nullopt);
}

TEST_F(ProcessTest, ArgumentsArriveSplitAsOnWindows) {
  const std::string program =
      Script("C:\\args.sh",
             "[ \"$#\" = 3 ] && [ \"$1\" = a ] && [ \"$2\" = 'b c' ] && [ \"$3\" = 'd\"' ]");
  std::optional<ProcessHandle> process = StartProcess(program, R"(a "b c" d\")");
  ASSERT_TRUE(process.has_value());
  EXPECT_EQ(process->WaitForExitCode(), 0);
}

TEST_F(ProcessTest, AKilledProcessHasNoExitCode) {
  const std::string program = Script("C:\\killed.sh", "kill -9 $$");
  std::optional<ProcessHandle> process = StartProcess(program, "");
  ASSERT_TRUE(process.has_value());
  EXPECT_EQ(process->WaitForExitCode(), std::nullopt);
}

TEST_F(ProcessTest, AMissingProgramDoesNotStart) {
  EXPECT_FALSE(StartProcess("C:\\missing.exe", "").has_value());
  EXPECT_FALSE(StartProcess("Q:\\unmapped.exe", "").has_value());
}

TEST_F(ProcessTest, EveryStartIsRecordedWithWhetherItRan) {
  TakeProcessStarts();
  const std::string program = Script("C:\\recorded.sh", "exit 0");
  std::optional<ProcessHandle> process = StartProcess(program, "/silent \"x y\"");
  ASSERT_TRUE(process.has_value());
  process->WaitForExitCode();
  StartProcess("C:\\missing.exe", "");
  const std::vector<ProcessStart> starts = TakeProcessStarts();
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].windowsPath, program);
  EXPECT_EQ(starts[0].commandLine, "/silent \"x y\"");
  EXPECT_TRUE(starts[0].started);
  EXPECT_EQ(starts[1].windowsPath, "C:\\missing.exe");
  EXPECT_FALSE(starts[1].started);
  EXPECT_TRUE(TakeProcessStarts().empty()) << "taking empties the record";
}

// Windows starts any .exe; a downloaded one has no execute bit on the host.
// Like a program Internet Explorer starts, it has no console to write to.
TEST_F(ProcessTest, ADownloadedExeStartsWithoutAConsole) {
  ASSERT_TRUE(WriteWholeFile("C:\\Setup.EXE", "#!/bin/sh\necho into the void\nexit 3\n"));
  std::optional<ProcessHandle> process = StartProcess("C:\\Setup.EXE", "");
  ASSERT_TRUE(process.has_value());
  EXPECT_EQ(process->WaitForExitCode(), 3);

  ASSERT_TRUE(WriteWholeFile("C:\\notes.txt", "#!/bin/sh\nexit 0\n"));
  EXPECT_FALSE(StartProcess("C:\\notes.txt", "").has_value()) << "only programs run";
}

TEST_F(ProcessTest, AMovedHandleIsWaitedForOnce) {
  const std::string program = Script("C:\\seven.sh", "exit 7");
  std::optional<ProcessHandle> process = StartProcess(program, "");
  ASSERT_TRUE(process.has_value());
  ProcessHandle moved = std::move(*process);
  EXPECT_EQ(process->WaitForExitCode(), std::nullopt);
  EXPECT_EQ(moved.WaitForExitCode(), 7);
}

}  // namespace
}  // namespace platform
