#include "tools/browser/BrowserWindow.h"

#include <chrono>
#include <optional>
#include <string>

#include "platform/registry/RegistryKey.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WorkerPump.h"

namespace browserhost {
namespace {

// Work bounds its own waits; this only catches a hang.
constexpr auto kWorkGuard = std::chrono::seconds(120);
// Workers the window's toolbars started may still report to its windows.
constexpr auto kWorkerGuard = std::chrono::seconds(60);

std::vector<CLSID> ListedToolbars() {
  std::vector<CLSID> toolbars;
  platform::RegistryKey list;
  if (list.Open(HKEY_LOCAL_MACHINE, kToolbarListKey) != ERROR_SUCCESS) return toolbars;
  std::string name;
  for (DWORD index = 0; list.EnumValue(index, name) == ERROR_SUCCESS; ++index) {
    if (const std::optional<GUID> clsid = platform::ParseGuid(name)) toolbars.push_back(*clsid);
  }
  return toolbars;
}

}  // namespace

BrowserWindow::BrowserWindow() : thread_([this] { Open(); }, [this] { Close(); }) {}

BrowserWindow::~BrowserWindow() = default;

void BrowserWindow::Open() {
  apartment_.emplace();
  frame_.emplace();
  for (const CLSID& clsid : ListedToolbars()) toolbarResults_.push_back(frame_->AddToolbar(clsid));
  platform::ui::RunUntilIdle();
}

void BrowserWindow::Close() {
  frame_->Quit();
  platform::ui::RunUntilWorkersDone(kWorkerGuard);
  frame_.reset();
  apartment_.reset();
}

platform::ui::MessageLoopThread::Work BrowserWindow::OnFrame(Work work) {
  return [this, work = std::move(work)] {
    work(*frame_);
    platform::ui::RunUntilIdle();
  };
}

std::future<void> BrowserWindow::Post(Work work) { return thread_.Post(OnFrame(std::move(work))); }

bool BrowserWindow::Run(Work work) { return thread_.Run(OnFrame(std::move(work)), kWorkGuard); }

}  // namespace browserhost
