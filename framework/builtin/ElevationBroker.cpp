#include "framework/builtin/ElevationBroker.h"

#include <optional>

#include "framework/command/CommandContainerI.h"
#include "platform/process/Process.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/WideChars.h"
#include "platform/ui/Window.h"

namespace framework {

namespace {

constexpr int kFailed = -1;

struct BrokerLocation {
  std::string appPath;
  std::string appName;
};

std::optional<BrokerLocation> FindBroker(const std::string& policyId) {
  platform::RegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kElevationPolicyKey + policyId) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  BrokerLocation location;
  if (key.QueryStringValue("AppPath", location.appPath) != ERROR_SUCCESS ||
      location.appPath.empty()) {
    return std::nullopt;
  }
  if (key.QueryStringValue("AppName", location.appName) != ERROR_SUCCESS) {
    location.appName.clear();
  }
  return location;
}

// The hidden window the helper looks for, alive while the helper runs.
class BrokerWindow {
 public:
  BrokerWindow()
      : window_(CreateWindowExW(0, platform::AsWchar(kDialogClassName),
                                platform::AsWchar(kBrokerWindowTitle), 0, 0, 0, 0, 0, nullptr,
                                nullptr, nullptr, nullptr)) {}
  ~BrokerWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  BrokerWindow(const BrokerWindow&) = delete;
  BrokerWindow& operator=(const BrokerWindow&) = delete;

 private:
  HWND window_;
};

}  // namespace

std::string BrokerCommandLine(const ShellExecuteRequest& request) {
  return "-shellexecute " + request.verb + "##" + request.file + "##" + request.arguments + "##" +
         request.directory + "##" + std::to_string(request.showMode) + "##" +
         (request.wait ? "1" : "0");
}

int StartThroughBroker(CommandContainerI* context, const ShellExecuteRequest& request) {
  if (context == nullptr) return kFailed;
  const std::string policyId = context->ElevationPolicyIdText();
  if (policyId.empty()) return kFailed;
  const std::string commandLine = BrokerCommandLine(request);
  BrokerWindow window;
  std::optional<BrokerLocation> broker = FindBroker(policyId);
  if (!broker) return kFailed;
  std::optional<platform::ProcessHandle> process =
      platform::StartProcess(broker->appPath + "\\" + broker->appName, commandLine);
  if (!process) return kFailed;
  return process->WaitForExitCode().value_or(kFailed);
}

}  // namespace framework
