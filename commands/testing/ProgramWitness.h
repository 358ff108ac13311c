// Test support: a stand-in program that tells the test it was started. The
// program is a shell script at a mapped Windows path that writes its own
// path and its argument count into a named pipe the test reads; the read
// waits only as long as the safety net given, which only a program that
// never started reaches. The product lets such programs run on their own,
// so the pipe is the one thing that says they ran.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files/FileSystem.h"
#include "platform/process/testing/ExecutableFile.h"
#include "tests/support/PosixFd.h"

namespace commands::testing {

class ProgramWitness {
 public:
  // Installs the program at `windowsPath`; the pipe sits beside it.
  explicit ProgramWitness(std::string_view windowsPath) {
    const std::string pipeWindowsPath = std::string(windowsPath) + ".started";
    const std::optional<std::string> pipe = platform::ToHostPath(pipeWindowsPath);
    if (!pipe || mkfifo(pipe->c_str(), 0600) != 0) return;
    // Open now, without waiting for a writer, so the program's open for
    // writing never blocks.
    reader_ = test_support::PosixFd(open(pipe->c_str(), O_RDONLY | O_NONBLOCK));
    const std::string script = "#!/bin/sh\nprintf '%s|%s' \"$0\" \"$#\" > '" + *pipe + "'\n";
    installed_ = reader_.IsValid() && platform::testing::WriteExecutableScript(windowsPath, script);
  }

  bool Installed() const { return installed_; }

  // "<host path>|<argument count>" once the program has run, or nullopt
  // when it did not write within `safetyNet`.
  std::optional<std::string> AwaitStart(std::chrono::milliseconds safetyNet) {
    std::string said;
    const auto deadline = std::chrono::steady_clock::now() + safetyNet;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      pollfd ready{reader_.Get(), POLLIN, 0};
      if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
      char buffer[512];
      const ssize_t got = read(reader_.Get(), buffer, sizeof(buffer));
      if (got > 0) {
        said.append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 && !said.empty()) {
        return said;  // the program closed its end
      }
    }
  }

 private:
  test_support::PosixFd reader_;
  bool installed_ = false;
};

}  // namespace commands::testing
