#include "framework/layout/FirstRun.h"

#include "platform/registry/RegistryKey.h"
#include "platform/trace/Trace.h"

namespace framework {

bool CheckFirstRun(const std::string& company, const std::string& name) {
  platform::TraceScope trace("LayoutC::CheckFirstRun");
  const std::string keyPath = "Software\\" + company + "\\" + name;
  constexpr std::string_view kValueName = "FirstRun";

  platform::RegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, keyPath, KEY_READ) == ERROR_SUCCESS) {
    std::string marker;
    if (key.QueryStringValue(kValueName, marker) == ERROR_SUCCESS && !marker.empty()) {
      return false;
    }
  }
  platform::RegistryKey writable;
  if (writable.Create(HKEY_CURRENT_USER, keyPath, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
    (void)writable.SetStringValue(kValueName, "No");
  }
  return true;
}

}  // namespace framework
