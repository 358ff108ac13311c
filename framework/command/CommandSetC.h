// The framework's command set: owns its commands, keyed by name. Adding a
// command under a name that is already taken keeps the first one, so the
// tab context's registration order decides which command answers a name.
//
// Slots 4 to 6 extend CommandSetI: 4 FindCommand, 5 Add, 6 Remove.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/command/CommandC.h"
#include "framework/command/CommandSetI.h"

namespace framework {

class CommandSetC : public CommandSetI {
 public:
  CommandSetC() = default;
  ~CommandSetC() override;
  CommandSetC(const CommandSetC&) = delete;
  CommandSetC& operator=(const CommandSetC&) = delete;

  const std::vector<std::string>& Names() const override;
  CommandI* Find(const std::string& name) const override;
  void ShutdownNotice() override;

  virtual CommandI* FindCommand(const std::string& name) const;
  // Returns the command now registered under the name: the given one, or the
  // earlier one when the name was taken (the given one is then destroyed).
  virtual CommandC* Add(std::unique_ptr<CommandC> command);
  // Unregisters the command and destroys it.
  virtual void Remove(CommandC* command);

 private:
  std::vector<std::string> names_;
  std::map<std::string, std::unique_ptr<CommandC>> commands_;
};

}  // namespace framework
