// Starting another program and waiting for it (CreateProcess or
// ShellExecuteEx with SEE_MASK_NOCLOSEPROCESS, WaitForSingleObject,
// GetExitCodeProcess). The program is named by a mapped Windows path; its
// arguments come from a Windows command line (CommandLine.h).
#pragma once

#include <optional>
#include <string_view>

namespace platform {

// The handle of a started process. Waiting reaps it; a handle dropped
// before its process ended leaves the process running on its own.
class ProcessHandle {
 public:
  ProcessHandle(ProcessHandle&& other) noexcept;
  ProcessHandle& operator=(ProcessHandle&& other) noexcept;
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  ~ProcessHandle();

  // Blocks until the process ends, with no time limit. Its exit code, or
  // nullopt when it ended without one (killed by a signal) or was already
  // waited for.
  std::optional<int> WaitForExitCode();

 private:
  friend std::optional<ProcessHandle> StartProcess(std::string_view, std::string_view);
#if defined(_WIN32)
  using NativeProcess = void*;  // the process handle; null when there is none
  static constexpr NativeProcess kNoProcess = nullptr;
#else
  using NativeProcess = int;  // the child's id; -1 when there is none
  static constexpr NativeProcess kNoProcess = -1;
#endif
  explicit ProcessHandle(NativeProcess id) : id_(id) {}
  void Release() noexcept;

  NativeProcess id_ = kNoProcess;
};

// Starts the program at `windowsPath` with the arguments of `commandLine`.
// nullopt when the path maps to no host file or the start fails.
std::optional<ProcessHandle> StartProcess(std::string_view windowsPath,
                                          std::string_view commandLine);

}  // namespace platform
