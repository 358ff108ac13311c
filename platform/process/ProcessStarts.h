// What the system was asked to start, in order: every StartProcess call
// with its program, its command line and whether the program started. A
// process monitor's view of the machine, for hosts that show what the
// product launched (the installer, the uninstaller) without running them
// blind.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct ProcessStart {
  std::string windowsPath;
  std::string commandLine;
  bool started = false;
};

// The starts recorded since the previous call, oldest first; the record is
// emptied. Thread-safe.
std::vector<ProcessStart> TakeProcessStarts();

// Called by StartProcess.
void RecordProcessStart(ProcessStart start);

}  // namespace platform
