#include "session/update/UpdateCheck.h"

#include <mutex>
#include <optional>

#include "framework/command/CommandC.h"
#include "platform/files/FileSystem.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Contain.h"
#include "session/GlobalSinglton.h"
#include "session/settings/ProductSettings.h"
#include "session/update/InstallerCommandI.h"
#include "session/update/InstallerDownload.h"
#include "session/update/InstallerLocation.h"
#include "soap/utils/UpdateService.h"

namespace session {
namespace {

std::mutex gAnnouncedMutex;
std::string gAnnouncedPath;  // guarded by gAnnouncedMutex

void ShowUpdateButton(SessionContextI& context, const std::string& installerPath) {
  auto* command =
      dynamic_cast<framework::CommandC*>(context.Commands().FindCommand(kUpdateCommand));
  if (command == nullptr) return;
  command->SetEnabled(true);
  command->SetText(kUpdateCaption);
  if (auto* installer = dynamic_cast<InstallerCommandI*>(command)) {
    installer->SetInstallerPath(installerPath);
  }
}

void Announce(const std::string& installerPath) {
  {
    std::lock_guard lock(gAnnouncedMutex);
    gAnnouncedPath = installerPath;
  }
  GlobalSinglton::SetUpdateAvailable(true);
  const GlobalSinglton::Existing session;
  if (!session) return;
  // A tab's commands belong to its window's thread, and that thread may be
  // using them right now: each tab changes its own button there.
  session->ForEachContextOnItsThread(
      [installerPath](SessionContextI& context) { ShowUpdateButton(context, installerPath); });
}

}  // namespace

void InstallUpdateCheck() { GlobalSinglton::SetUpdateCheck(&Update); }

void Update() {
  platform::ContainTraced("GlobalSinglton::Update", 0, [] {
    platform::StartWorkerThread("GlobalSinglton::CheckUpdate", &CheckUpdate);
    return 0;
  });
}

void CheckUpdate() {
  platform::ContainTraced("GlobalSinglton::CheckUpdate", 0, [] {
    const std::string url = soap::UpdateService().bxUpdate();
    if (!url.empty()) ExecuteProgram(url);
    return 0;
  });
}

void ExecuteProgram(std::string url) {
  platform::ContainTraced("GlobalSinglton::ExecuteProgram", 0, [&] {
    const std::optional<InstallerLocation> location = LocateInstaller(ReadInstallDirectory(), url);
    if (!location) return 0;
    if (!platform::PathExists(location->installerPath) ||
        platform::IsDirectory(location->installerPath)) {
      // Only an installer in place is announced: a button that starts a
      // file that is not there helps nobody.
      if (!DownloadInstaller(url, location->temporaryPath)) return 0;
      platform::RemoveFile(location->installerPath);
      platform::Trace("moving downloaded file");
      if (!platform::MovePath(location->temporaryPath, location->installerPath)) return 0;
    }
    Announce(location->installerPath);
    return 0;
  });
}

std::string AnnouncedInstallerPath() {
  std::lock_guard lock(gAnnouncedMutex);
  return gAnnouncedPath;
}

}  // namespace session
