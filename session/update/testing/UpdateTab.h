// A tab as the update check sees it: a context whose one command is an
// Update button that records what it was told, and on which threads.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "framework/command/CommandC.h"
#include "framework/command/CommandContainerI.h"
#include "framework/command/CommandObserverI.h"
#include "platform/ui/WinTypes.h"
#include "session/SessionContextI.h"
#include "session/update/InstallerCommandI.h"

namespace session::testing {

class RecordingUpdateButton final : public framework::CommandC,
                                    public InstallerCommandI,
                                    private framework::CommandObserverI {
 public:
  RecordingUpdateButton() : CommandC(kUpdateCommand) {
    SetText(" ");
    AddObserver(this);
  }
  ~RecordingUpdateButton() override { RemoveObserver(this); }

  void SetInstallerPath(std::string path) override {
    std::lock_guard lock(mutex_);
    path_ = std::move(path);
    threads_.push_back(GetCurrentThreadId());
  }

  std::string InstallerPath() const {
    std::lock_guard lock(mutex_);
    return path_;
  }
  // Every thread the button's state was changed on, one entry per change.
  std::vector<DWORD> ChangeThreads() const {
    std::lock_guard lock(mutex_);
    return threads_;
  }

 private:
  void Changed() {
    std::lock_guard lock(mutex_);
    threads_.push_back(GetCurrentThreadId());
  }
  void OnEnabledChanged() override { Changed(); }
  void OnImageChanged() override {}
  void OnTooltipNotice() override {}
  void OnTextChanged() override { Changed(); }
  void OnSelectionChanged() override {}
  void OnCheckedChanged() override {}

  mutable std::mutex mutex_;
  std::string path_;            // guarded by mutex_
  std::vector<DWORD> threads_;  // guarded by mutex_
};

class UpdateTab final : public SessionContextI, public framework::CommandContainerI {
 public:
  RecordingUpdateButton& Button() { return button_; }

  void UpdateLogginStatus(const soap::MemberTotals&) override {}
  framework::CommandContainerI& Commands() override { return *this; }

  framework::CommandI* FindCommand(const std::string& name) override {
    return name == kUpdateCommand ? &button_ : nullptr;
  }
  framework::CommandC* CreateCommandInstance(const std::string&, const std::string&) override {
    return nullptr;
  }
  std::string LayoutLocation() override { return {}; }
  framework::StoredLayoutLocation GetStoredLayoutLocation() override { return {}; }
  std::string BandClassIdText() override { return {}; }
  std::string ElevationPolicyIdText() override { return {}; }

 private:
  RecordingUpdateButton button_;
};

}  // namespace session::testing
