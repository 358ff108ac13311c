// The update check with tabs on several browser window threads, as a
// browser process has them: the worker that found the installer hands the
// announcement to each tab's own thread, as the totals are handed over, and
// never touches a tab's commands itself.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock/Clock.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/testing/RecordingWindowThread.h"
#include "session/GlobalSinglton.h"
#include "session/testing/SessionTestSupport.h"
#include "session/update/UpdateCheck.h"
#include "session/update/testing/UpdateTab.h"
#include "tools/refservice/ReferenceService.h"

namespace {

using namespace std::chrono_literals;
using session::GlobalSinglton;

constexpr auto kGuard = 30s;  // only a hang reaches it
constexpr UINT kRunTask = WM_APP + 7;
const std::string kInstallDirectory = "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar";

// A browser window's thread that runs the test's tasks from its message loop.
class WindowThread {
 public:
  WindowThread() {
    log_.handler = [](HWND, UINT message, WPARAM, LPARAM task) -> std::optional<LRESULT> {
      if (message != kRunTask) return std::nullopt;
      std::unique_ptr<std::function<void()>> owned(reinterpret_cast<std::function<void()>*>(task));
      (*owned)();
      return 0;
    };
    thread_.emplace(log_);
  }

  DWORD Id() const { return thread_->threadId(); }

  // Runs `task` there and waits for it; false if it did not finish in time.
  [[nodiscard]] bool Run(std::function<void()> task) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    auto* owned = new std::function<void()>([task = std::move(task), done] {
      task();
      done->set_value();
    });
    if (!PostMessageW(thread_->hwnd(), kRunTask, 0, reinterpret_cast<LPARAM>(owned))) {
      delete owned;
      return false;
    }
    return finished.wait_for(kGuard) == std::future_status::ready;
  }

 private:
  platform::ui::testing::MessageLog log_;
  std::optional<platform::ui::testing::RecordingWindowThread> thread_;  // after log_
};

// A tab opened and closed on its window's thread.
struct Tab {
  session::testing::UpdateTab context;
  GlobalSinglton* session = nullptr;

  void Open() {
    session = GlobalSinglton::Instance();
    session->AddContext(&context);
  }
  void Close() {
    session->RemoveContext(&context);
    GlobalSinglton::FreeInst();
  }
};

class SessionUpdateTest : public ::testing::Test {
 protected:
  static refservice::ReferenceServiceOptions Announcing() {
    refservice::ReferenceServiceOptions options;
    options.version =
        refservice::VersionData{17, "{site}/download/VimaruSetup.exe", 60, 24, false, "2.0.0.2"};
    return options;
  }

  void SetUp() override {
    session::testing::CreateSettingsKey();
    session::testing::StoreSetting("HotIcon", kInstallDirectory + "\\VimaruIEToolbar.dll");
  }
  void TearDown() override { platform::WaitForWorkerThreads(); }

  refservice::ReferenceService service_{Announcing()};
  session::testing::ScopedEnvironment utils_{"VIMARU_UTILS_ENDPOINT", service_.UtilsEndpoint()};
  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
};

TEST_F(SessionUpdateTest, TheInstallerIsAnnouncedToEveryTabOnItsOwnThread) {
  WindowThread first;
  WindowThread second;
  Tab a;
  Tab b;
  ASSERT_TRUE(first.Run([&] { a.Open(); }));
  ASSERT_TRUE(second.Run([&] { b.Open(); }));

  session::Update();
  platform::WaitForWorkerThreads();
  // What the worker queued for each thread has run before these.
  struct Seen {
    bool enabled = false;
    std::string text;
    std::string path;
  };
  Seen seenA;
  Seen seenB;
  const auto look = [](Tab& tab, Seen& seen) {
    seen = {tab.context.Button().IsEnabled(), tab.context.Button().Text(),
            tab.context.Button().InstallerPath()};
  };
  ASSERT_TRUE(first.Run([&] { look(a, seenA); }));
  ASSERT_TRUE(second.Run([&] { look(b, seenB); }));

  const std::string installer = kInstallDirectory + "\\VimaruSetup.exe";
  EXPECT_TRUE(platform::PathExists(installer));
  for (const Seen& seen : {seenA, seenB}) {
    EXPECT_TRUE(seen.enabled);
    EXPECT_EQ(seen.text, "  Update");
    EXPECT_EQ(seen.path, installer);
  }
  ASSERT_FALSE(a.context.Button().ChangeThreads().empty());
  ASSERT_FALSE(b.context.Button().ChangeThreads().empty());
  for (DWORD thread : a.context.Button().ChangeThreads()) EXPECT_EQ(thread, first.Id());
  for (DWORD thread : b.context.Button().ChangeThreads()) EXPECT_EQ(thread, second.Id());

  ASSERT_TRUE(first.Run([&] { a.Close(); }));
  ASSERT_TRUE(second.Run([&] { b.Close(); }));
  EXPECT_FALSE(GlobalSinglton::Existing());
}

}  // namespace
