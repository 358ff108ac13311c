// The update check. Once per process the session's update timer asks the
// utils service whether another version of the toolbar is out; when it is,
// the installer is downloaded into the product's install directory and
// every tab shows its Update button, which starts that installer.
//
// The service call and the download run on a worker thread, which holds the
// module alive until they are over; the session may have gone by then, and
// the installer is still announced to the tabs that are open.
//
// Every operation contains its failures and traces
// "GlobalSinglton::<operation> begin/end/exception": the check reads in a
// trace as the session's own work, which it is.
#pragma once

#include <string>

namespace session {

// Makes the session's update timer run Update. The module calls it once at
// start-up, before the first tab opens.
void InstallUpdateCheck();

// Starts CheckUpdate on a worker thread and returns at once.
void Update();
// Blocks for the service call and the download: workers only.
void CheckUpdate();
// Downloads the installer `url` names, unless it is already in place, and
// announces it once it is; a failed download announces nothing. Blocks:
// workers only.
void ExecuteProgram(std::string url);

// The installer announced in this process, "" before any: a tab that opens
// after the announcement starts this one from its Update button.
std::string AnnouncedInstallerPath();

}  // namespace session
