// Programs started on Windows with CreateProcess: the product names the
// program by its path and passes the rest of the command line as it is.
// Like the browser's own starts, the program gets no console of ours.
#ifdef _WIN32
#include <windows.h>

#include <utility>

#include "platform/process/Process.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"

namespace platform {

ProcessHandle::ProcessHandle(ProcessHandle&& other) noexcept
    : id_(std::exchange(other.id_, kNoProcess)) {}

ProcessHandle& ProcessHandle::operator=(ProcessHandle&& other) noexcept {
  if (this != &other) {
    Release();
    id_ = std::exchange(other.id_, kNoProcess);
  }
  return *this;
}

ProcessHandle::~ProcessHandle() { Release(); }

// Closing the handle neither waits for the program nor ends it.
void ProcessHandle::Release() noexcept {
  if (id_ != kNoProcess) CloseHandle(static_cast<HANDLE>(std::exchange(id_, kNoProcess)));
}

std::optional<int> ProcessHandle::WaitForExitCode() {
  if (id_ == kNoProcess) return std::nullopt;
  const HANDLE process = static_cast<HANDLE>(id_);
  DWORD code = 0;
  const bool ended =
      WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
  Release();
  if (!ended) return std::nullopt;
  return static_cast<int>(code);
}

std::optional<ProcessHandle> StartProcess(std::string_view windowsPath,
                                          std::string_view commandLine) {
  const std::u16string program = AnsiToWide(windowsPath);
  // CreateProcess may write into the command line it is given.
  std::u16string line;
  line.append(1, u'"').append(program).append(1, u'"');
  if (!commandLine.empty()) line.append(1, u' ').append(AnsiToWide(commandLine));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(AsWchar(program), AsWchar(line.data()), nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started)) {
    return std::nullopt;
  }
  CloseHandle(started.hThread);
  return ProcessHandle(started.hProcess);
}

}  // namespace platform
#endif
