#include "platform/process/Process.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/process/CommandLine.h"

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

std::optional<ProcessHandle> StartProcess(std::string_view windowsPath,
                                          std::string_view commandLine) {
  std::optional<std::string> hostPath = ToHostPath(windowsPath);
  if (!hostPath) return std::nullopt;
  std::vector<std::string> arguments = SplitCommandLine(commandLine);
  arguments.insert(arguments.begin(), *hostPath);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_t id = 0;
  if (posix_spawn(&id, hostPath->c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    return std::nullopt;
  }
  return ProcessHandle(id);
}

}  // namespace platform
