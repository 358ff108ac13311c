#include "framework/command/CommandSetC.h"

#include <algorithm>

namespace framework {

CommandSetC::~CommandSetC() = default;

const std::vector<std::string>& CommandSetC::Names() const { return names_; }

CommandI* CommandSetC::Find(const std::string& name) const {
  const auto found = commands_.find(name);
  return found == commands_.end() ? nullptr : found->second.get();
}

void CommandSetC::ShutdownNotice() {}

CommandI* CommandSetC::FindCommand(const std::string& name) const { return Find(name); }

CommandC* CommandSetC::Add(std::unique_ptr<CommandC> command) {
  const std::string& name = command->Name();
  const auto found = commands_.find(name);
  if (found != commands_.end()) return found->second.get();
  names_.push_back(name);
  CommandC* added = command.get();
  commands_.emplace(name, std::move(command));
  return added;
}

void CommandSetC::Remove(CommandC* command) {
  const auto found = commands_.find(command->Name());
  if (found == commands_.end() || found->second.get() != command) return;
  const auto listed = std::find(names_.begin(), names_.end(), command->Name());
  if (listed != names_.end()) names_.erase(listed);
  commands_.erase(found);
}

}  // namespace framework
