#include "framework/context/ToolBandContextC.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/layout/FirstRun.h"
#include "framework/toolband/KeyboardHookList.h"
#include "platform/files/FileSystem.h"
#include "platform/plugin/LoadedModule.h"
#include "platform/trace/Trace.h"

namespace framework {

namespace {

// Registered after ToolBand.ToolbarLayout and ToolBand.Nop, each initialised
// with the tab before it is added.
constexpr std::array<std::string_view, 8> kInitialisedBuiltins = {
    "Navigate", "JavaScript",   "VBScript",  "Dialog",
    "FindNext", "FindPrevious", "Highlight", "ShellExecute"};

// The names a layout element may instantiate under its own id.
constexpr std::array<std::string_view, 9> kInstantiableBuiltins = {
    "Navigate",     "JavaScript", "VBScript",     "Dialog",      "FindNext",
    "FindPrevious", "Highlight",  "ShellExecute", "ToolBand.Nop"};

}  // namespace

ToolBandContextC::ToolBandContextC(platform::ComPtr<IWebBrowser2> browser, HostData hostData)
    : browser_(std::move(browser)), hostData_(hostData) {}

ToolBandContextC::~ToolBandContextC() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  ReleaseToolBandAndPlugIns();
}

CommandI* ToolBandContextC::FindCommand(const std::string& name) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  for (const std::unique_ptr<PlugInC>& plugIn : plugIns_) {
    if (CommandI* command = plugIn->CommandSet()->Find(name)) return command;
  }
  return commands_.Find(name);
}

CommandC* ToolBandContextC::CreateCommandInstance(const std::string& name, const std::string& id) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  if (std::find(kInstantiableBuiltins.begin(), kInstantiableBuiltins.end(), name) ==
      kInstantiableBuiltins.end()) {
    return nullptr;
  }
  std::unique_ptr<CommandC> command = CreateBuiltinCommand(name, id);
  command->Initialise(this, browser_, hostData_);
  return commands_.Add(std::move(command));
}

void ToolBandContextC::ShutDown() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::TraceScope trace("ToolBandContextC::ShutDown");
  ReleaseToolBandAndPlugIns();
}

void ToolBandContextC::RegisterProductCommands() {}
void ToolBandContextC::LayoutLoaded() {}
void ToolBandContextC::KeyboardNotice(int, int, int) {}

ToolBandC* ToolBandContextC::Create(HWND parent) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::TraceScope trace("ToolBandContextC::Create");
  if (platform::GetModuleDirectory().empty()) return nullptr;
  toolband_ = std::make_unique<ToolBandC>(browser_, hostData_);
  if (!toolband_->Create(parent)) {
    toolband_.reset();
    return nullptr;
  }
  RegisterProductCommands();
  LoadPlugIns();
  RegisterBuiltinCommands();
  if (!LoadLayout(*toolband_, *this, createDocument_)) {
    toolband_->RemoveAllControls();
    toolband_.reset();
    return nullptr;
  }
  InstallKeyboardHook(this);
  LayoutLoaded();
  return toolband_.get();
}

bool ToolBandContextC::RunFirstRunCheck() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::TraceScope trace("ToolBandContextC::RunFirstRunCheck");
  if (toolband_ == nullptr || !CheckFirstRun(toolband_->Company(), toolband_->Name())) {
    return false;
  }
  toolband_->PresentForFirstTime(BandClassIdText());
  return true;
}

void ToolBandContextC::LoadPlugIns() {
  platform::TraceScope trace("ToolBandContextC::LoadPlugIns");
  for (const std::string& path : platform::FindModuleFiles("*.dll")) {
    if (std::unique_ptr<PlugInC> plugIn =
            PlugInC::Load(path, hostData_, browser_.Get(), toolband_.get())) {
      plugIns_.push_front(std::move(plugIn));
    }
  }
}

void ToolBandContextC::RegisterBuiltinCommands() {
  commands_.Add(std::make_unique<ToolbarLayoutCmdC>(toolband_.get(), this, hostData_));
  commands_.Add(CreateBuiltinCommand(kNopCommandName, std::string(kNopCommandName)));
  for (std::string_view name : kInitialisedBuiltins) {
    std::unique_ptr<CommandC> command = CreateBuiltinCommand(name, std::string(name));
    command->Initialise(this, browser_, hostData_);
    commands_.Add(std::move(command));
  }
}

void ToolBandContextC::ReleaseToolBandAndPlugIns() {
  for (const std::unique_ptr<PlugInC>& plugIn : plugIns_) plugIn->CommandSet()->ShutdownNotice();
  if (toolband_ != nullptr) {
    toolband_->RemoveAllControls();
    toolband_.reset();
  }
  plugIns_.clear();
  RemoveKeyboardHook(this);
}

}  // namespace framework
