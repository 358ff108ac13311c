// The stand-in browser process: its machine (a mapped root and a registry
// kept as a .reg file), its clock (virtual), the services it points the
// product at, and its windows, each on a thread of its own. Runs a script's
// steps one at a time and says after each what the user and the machine
// would see.
//
//   BrowserHost host(options);          // Ready() or Error()
//   StepOutcome outcome = host.Run(step);
//   host.Keep();                        // the registry back into the root
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock/Clock.h"
#include "tools/browser/BrowserWindow.h"
#include "tools/browser/HostScript.h"
#include "tools/browser/HostState.h"

namespace refservice {
class ReferenceService;
}
namespace tools::regsvr {
class RegsvrRoot;
}

namespace browserhost {

struct HostOptions {
  std::optional<std::string> root;     // kept across runs; a fresh one without
  std::optional<std::string> service;  // "http://HOST:PORT"; the reference service without
  std::filesystem::path out = std::filesystem::current_path();  // where pictures go
  std::filesystem::path builtModule;  // installed into a root that has none
};

struct StepOutcome {
  // "ok" or what went wrong; register and unregister also give the entry's
  // HRESULT.
  std::string result;
  std::optional<HRESULT> registration;
  HostState state;
  std::vector<std::string> files;  // what a picture step wrote
};

class BrowserHost {
 public:
  explicit BrowserHost(HostOptions options);
  // Closes every window and waits for the product's workers.
  ~BrowserHost();
  BrowserHost(const BrowserHost&) = delete;
  BrowserHost& operator=(const BrowserHost&) = delete;

  bool Ready() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

  StepOutcome Run(const ScriptStep& step);

  // Closes every window, lets the product finish, and writes the registry
  // back into a kept root. False when it could not be written.
  bool Keep();

 private:
  struct Window {
    std::unique_ptr<BrowserWindow> window;
    std::size_t navigationsSeen = 0;       // the browser's records already reported
    std::set<std::size_t> ownNavigations;  // the records of the host's own navigations
  };
  class DialogPlayer;

  std::string Register(bool unregister, std::optional<HRESULT>& result);
  std::string Open(const OpenStep& step);
  std::string SelectWindow(const WindowStep& step);
  std::string Close();
  std::string Click(const ClickStep& step);
  std::string Type(const TypeStep& step);
  std::string Key(const KeyStep& step);
  std::string Wait(const WaitStep& step);
  std::string Picture(const PictureStep& step, std::vector<std::string>& files);

  Window* Current();
  // Lets every window's thread handle its messages and timers and serve
  // the workers until they are all done.
  void Settle();
  void CloseAllWindows();
  HostState Capture();

  std::string error_;
  HostOptions options_;
  std::unique_ptr<tools::regsvr::RegsvrRoot> root_;
  platform::VirtualClock clock_;
  std::unique_ptr<refservice::ReferenceService> service_;
  std::string siteBase_;  // what "{site}" in a script's addresses stands for
  std::size_t requestsSeen_ = 0;
  std::unique_ptr<DialogPlayer> dialogs_;
  std::vector<Window> windows_;  // in opening order; a closed one keeps its place, empty
  std::size_t current_ = 0;      // index into windows_
};

}  // namespace browserhost
