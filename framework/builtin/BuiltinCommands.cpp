#include "framework/builtin/BuiltinCommands.h"

#include <array>
#include <functional>
#include <utility>

namespace framework {

ToolbarLayoutCmdC::ToolbarLayoutCmdC(ToolBandI* toolband, CommandContainerI* context,
                                     HostData hostWindow)
    : CommandC(std::string(kToolbarLayoutCommandName)),
      toolband_(toolband),
      context_(context),
      hostWindow_(hostWindow) {
  SetEnabled(true);
}

NopCmdC::NopCmdC(std::string name) : CommandC(std::move(name)) { SetEnabled(true); }

NavigateCmdC::NavigateCmdC(std::string name) : CommandC(std::move(name)) { SetEnabled(true); }

ScriptCmdC::ScriptCmdC(std::string name, std::string languageName)
    : CommandC(std::move(name)), languageName_(std::move(languageName)) {
  SetEnabled(true);
}

JavaScriptCmdC::JavaScriptCmdC(std::string name) : ScriptCmdC(std::move(name), "javascript") {}

VBScriptCmdC::VBScriptCmdC(std::string name) : ScriptCmdC(std::move(name), "VBScript") {}

DialogCmdC::DialogCmdC(std::string name) : CommandC(std::move(name)) { SetEnabled(true); }

FindPreviousCmdC::FindPreviousCmdC(std::string name) : FindCmdC(std::move(name), true) {}

ShellExecuteCmdC::ShellExecuteCmdC(std::string name) : CommandC(std::move(name)) {
  SetEnabled(true);
}

namespace {

template <class Command>
std::unique_ptr<CommandC> Make(std::string name) {
  return std::make_unique<Command>(std::move(name));
}

struct BuiltinEntry {
  std::string_view name;
  std::unique_ptr<CommandC> (*create)(std::string);
};

constexpr std::array<BuiltinEntry, 9> kInstantiable = {{
    {"Navigate", &Make<NavigateCmdC>},
    {"JavaScript", &Make<JavaScriptCmdC>},
    {"VBScript", &Make<VBScriptCmdC>},
    {"Dialog", &Make<DialogCmdC>},
    {"FindNext", &Make<FindCmdC>},
    {"FindPrevious", &Make<FindPreviousCmdC>},
    {"Highlight", &Make<HighlightCmdC>},
    {"ShellExecute", &Make<ShellExecuteCmdC>},
    {kNopCommandName, &Make<NopCmdC>},
}};

}  // namespace

std::unique_ptr<CommandC> CreateBuiltinCommand(std::string_view builtinName,
                                               std::string instanceName) {
  for (const BuiltinEntry& entry : kInstantiable) {
    if (entry.name == builtinName) return entry.create(std::move(instanceName));
  }
  return nullptr;
}

}  // namespace framework
