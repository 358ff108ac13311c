#include "platform/process/Process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/process/CommandLine.h"
#include "platform/process/ProcessStarts.h"
#include "platform/text/CodePage.h"

extern char** environ;

namespace platform {

ProcessHandle::ProcessHandle(ProcessHandle&& other) noexcept : id_(std::exchange(other.id_, -1)) {}

ProcessHandle& ProcessHandle::operator=(ProcessHandle&& other) noexcept {
  if (this != &other) {
    Release();
    id_ = std::exchange(other.id_, -1);
  }
  return *this;
}

ProcessHandle::~ProcessHandle() { Release(); }

// Closing a Windows process handle neither waits nor kills; reap the child
// here if it has already ended so it leaves no zombie behind.
void ProcessHandle::Release() noexcept {
  if (id_ > 0) waitpid(id_, nullptr, WNOHANG);
  id_ = -1;
}

std::optional<int> ProcessHandle::WaitForExitCode() {
  if (id_ <= 0) return std::nullopt;
  int status = 0;
  pid_t result;
  do {
    result = waitpid(id_, &status, 0);
  } while (result < 0 && errno == EINTR);
  id_ = -1;
  if (result < 0 || !WIFEXITED(status)) return std::nullopt;
  return WEXITSTATUS(status);
}

namespace {

// Windows runs any file named ".exe" it is pointed at, a downloaded
// installer included; the host also wants the execute bit.
void MakeRunnableAsOnWindows(std::string_view windowsPath, const std::string& hostPath) {
  if (windowsPath.size() < 4 || AnsiToLower(windowsPath.substr(windowsPath.size() - 4)) != ".exe") {
    return;
  }
  struct stat facts {};
  if (stat(hostPath.c_str(), &facts) == 0 && S_ISREG(facts.st_mode) && (facts.st_mode & S_IXUSR) == 0) {
    chmod(hostPath.c_str(), facts.st_mode | S_IXUSR);
  }
}

}  // namespace

std::optional<ProcessHandle> StartProcess(std::string_view windowsPath,
                                          std::string_view commandLine) {
  ProcessStart record{std::string(windowsPath), std::string(commandLine), false};
  std::optional<std::string> hostPath = ToHostPath(windowsPath);
  if (!hostPath) {
    RecordProcessStart(std::move(record));
    return std::nullopt;
  }
  std::vector<std::string> arguments = SplitCommandLine(commandLine);
  arguments.insert(arguments.begin(), *hostPath);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  MakeRunnableAsOnWindows(windowsPath, *hostPath);
  // A program the browser starts has no console: what it writes goes
  // nowhere, never into the host's own output.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    posix_spawn_file_actions_addopen(&actions, descriptor, "/dev/null",
                                     descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
  }
  pid_t id = 0;
  record.started =
      posix_spawn(&id, hostPath->c_str(), &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  const bool started = record.started;
  RecordProcessStart(std::move(record));
  if (!started) return std::nullopt;
  return ProcessHandle(id);
}

}  // namespace platform
