#include "session/sidebar/ReferralValues.h"

#include <algorithm>
#include <vector>

#include "platform/registry/RegistryKey.h"
#include "platform/trace/Contain.h"

namespace session {
namespace {

std::optional<std::string> ReadReferralValue(const platform::RegistryKey& key, const char* name) {
  std::vector<char> buffer(kReferralValueReadBytes);
  DWORD type = 0;
  auto size = static_cast<DWORD>(buffer.size());
  if (key.QueryValue(name, &type, buffer.data(), &size) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ) return std::nullopt;
  const auto end = std::find(buffer.begin(), buffer.begin() + size, '\0');
  return std::string(buffer.begin(), end);
}

}  // namespace

ReferralValues ReadReferralValues() {
  return platform::Contain("QXThread::ReadReferralValues", ReferralValues{}, [] {
    platform::RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kReferralKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) {
      return ReferralValues{};
    }
    return ReferralValues{ReadReferralValue(key, "ReferalId"),
                          ReadReferralValue(key, "ReferalSubDomain")};
  });
}

}  // namespace session
