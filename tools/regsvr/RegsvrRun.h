// What vimaru-regsvr does once its command line is read: loads the module
// as regsvr32 does (LoadLibrary, then the entry by name), calls it with COM
// initialised, and says how it went. Exit codes are regsvr32's.
#pragma once

#include <string>

#include "platform/com/HResult.h"
#include "tools/regsvr/RegsvrCommandLine.h"

namespace tools::regsvr {

enum RegsvrExit : int {
  kRegsvrSucceeded = 0,
  kRegsvrBadArguments = 1,
  kRegsvrComFailed = 2,
  kRegsvrLoadFailed = 3,
  kRegsvrNoEntry = 4,
  kRegsvrCallFailed = 5,
};

struct RegsvrOutcome {
  RegsvrExit exit = kRegsvrSucceeded;
  std::string message;  // one line, ending in a newline
  // What the entry answered, or why it could not be called.
  HRESULT result = S_OK;
};

// Runs the entry in the current root and registry.
RegsvrOutcome RunRegsvr(const RegsvrCommandLine& line);

}  // namespace tools::regsvr
