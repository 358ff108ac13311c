#include "server/ModuleState.h"

#include <atomic>
#include <mutex>

#include "platform/files/FileSystem.h"
#include "platform/plugin/ModuleFile.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "server/ClassObjects.h"
#include "session/GlobalSinglton.h"
#include "session/ads/QXThread.h"
#include "session/update/UpdateCheck.h"

namespace server {
namespace {

struct Recorded {
  std::mutex mutex;  // guards path
  std::atomic<HINSTANCE> instance{nullptr};
  std::u16string path;
};

Recorded& TheRecorded() {
  static Recorded recorded;
  return recorded;
}

std::u16string FileNameOf(HINSTANCE instance) {
  WCHAR buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(instance, buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::u16string(platform::AsChar16(buffer), length);
}

}  // namespace

void StartModule(HINSTANCE instance) {
  Recorded& recorded = TheRecorded();
  recorded.instance = instance;
  std::u16string path = FileNameOf(instance);
  if (!path.empty()) platform::SetModuleFilePath(platform::WideToAnsi(path));
  {
    std::lock_guard lock(recorded.mutex);
    recorded.path = std::move(path);
  }
  session::GlobalSinglton::SetAdsRequestStarter(&session::QXThread::Start);
  session::InstallUpdateCheck();
}

void StopModule() { ReleaseClassObjects(); }

HINSTANCE ModuleInstance() { return TheRecorded().instance; }

std::u16string ModulePath() {
  Recorded& recorded = TheRecorded();
  std::lock_guard lock(recorded.mutex);
  return recorded.path;
}

}  // namespace server
