#include "session/settings/ProductSettings.h"

#include <algorithm>
#include <vector>

#include "platform/registry/RegistryKey.h"
#include "platform/trace/Contain.h"

namespace session {
namespace {

// The value's text up to its first NUL, or all of it when it was written
// without one; empty when the key, the value or the room for it is missing.
std::string ReadSetting(const char* name, std::size_t maxBytes) {
  platform::RegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kProductSettingsKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) {
    return {};
  }
  std::vector<char> buffer(maxBytes);
  DWORD type = 0;
  auto size = static_cast<DWORD>(buffer.size());
  if (key.QueryValue(name, &type, buffer.data(), &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  const auto end = std::find(buffer.begin(), buffer.begin() + size, '\0');
  return std::string(buffer.begin(), end);
}

void WriteSetting(const char* name, std::string_view text) {
  platform::RegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kProductSettingsKey, KEY_SET_VALUE) != ERROR_SUCCESS) return;
  (void)key.SetValue(name, REG_SZ, text.data(), static_cast<DWORD>(text.size()));
}

}  // namespace

std::string ReadMemberId() {
  return platform::Contain("GlobalSinglton::ReadMemberId", std::string(),
                           [] { return ReadSetting("MemberId", kSettingReadBytes); });
}

void WriteMemberId(std::string_view memberId) {
  platform::Contain("GlobalSinglton::WriteMemberId", 0, [&] {
    WriteSetting("MemberId", memberId);
    return 0;
  });
}

std::string ReadSso() {
  return platform::Contain("GlobalSinglton::ReadSSO", std::string(),
                           [] { return ReadSetting("SSO", kSettingReadBytes); });
}

void WriteSso(std::string_view ssoToken) {
  platform::Contain("GlobalSinglton::WriteSSO", 0, [&] {
    WriteSetting("SSO", ssoToken);
    return 0;
  });
}

bool ReadAutoLoggin() {
  return platform::Contain("GlobalSinglton::ReadAutoLoggin", false,
                           [] { return ReadSetting("AutoLoggin", kSettingReadBytes) == "true"; });
}

void WriteAutoLoggin(bool autoLogin) {
  platform::Contain("GlobalSinglton::WriteAutoLoggin", 0, [&] {
    WriteSetting("AutoLoggin", autoLogin ? "true" : "false");
    return 0;
  });
}

std::string ReadInstallDirectory() {
  return platform::Contain("GlobalSinglton::ReadInstallDirectory", std::string(), [] {
    const std::string path = ReadSetting("HotIcon", kInstallPathReadBytes);
    const std::size_t lastBackslash = path.rfind('\\');
    return lastBackslash == std::string::npos ? std::string() : path.substr(0, lastBackslash);
  });
}

}  // namespace session
