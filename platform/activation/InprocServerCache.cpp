#include "platform/activation/InprocServerCache.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/files/WindowsPath.h"
#include "platform/text/CodePage.h"

namespace platform::activation_detail {
namespace {

struct Cache {
  std::mutex mutex;  // guards servers
  std::map<std::string, std::shared_ptr<InprocServer>> servers;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

// Windows compares module paths case-insensitively, so one module is not
// loaded twice under two spellings.
std::string CacheKey(std::string_view windowsPath) {
  const auto canonical = NormalizeWindowsPath(windowsPath);
  return AnsiToLower(canonical ? *canonical : std::string(windowsPath));
}

}  // namespace

HRESULT AcquireInprocServer(std::string_view windowsPath, std::shared_ptr<InprocServer>* server) {
  const std::string key = CacheKey(windowsPath);
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  if (const auto found = cache.servers.find(key); found != cache.servers.end()) {
    *server = found->second;
    return S_OK;
  }
  auto module = LoadedModule::Load(windowsPath);
  if (!module) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  auto* getClassObject = module->GetProc<DllGetClassObjectFunction>("DllGetClassObject");
  if (getClassObject == nullptr) return CO_E_ERRORINDLL;
  auto* canUnloadNow = module->GetProc<DllCanUnloadNowFunction>("DllCanUnloadNow");
  auto loaded = std::make_shared<InprocServer>(
      InprocServer{std::move(*module), getClassObject, canUnloadNow});
  cache.servers.emplace(key, loaded);
  *server = std::move(loaded);
  return S_OK;
}

void FreeUnusedInprocServers() {
  Cache& cache = TheCache();
  std::vector<std::pair<std::string, std::shared_ptr<InprocServer>>> candidates;
  {
    std::lock_guard lock(cache.mutex);
    for (const auto& [key, server] : cache.servers) {
      if (server->canUnloadNow != nullptr) candidates.emplace_back(key, server);
    }
  }
  // Modules are asked outside the lock: DllCanUnloadNow may itself activate
  // objects.
  std::vector<std::shared_ptr<InprocServer>> unloading;
  for (auto& [key, server] : candidates) {
    if (server->canUnloadNow() != S_OK) continue;
    std::lock_guard lock(cache.mutex);
    const auto found = cache.servers.find(key);
    if (found != cache.servers.end() && found->second == server) {
      unloading.push_back(std::move(found->second));
      cache.servers.erase(found);
    }
  }
  candidates.clear();
  // The last references go here, unloading the modules no activation holds.
  unloading.clear();
}

bool IsCached(std::string_view windowsPath) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  return cache.servers.count(CacheKey(windowsPath)) != 0;
}

}  // namespace platform::activation_detail
