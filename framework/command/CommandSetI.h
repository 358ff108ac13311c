// A named collection of commands. The tab context has one of its own and
// each plug-in module hands over one (see PlugInExports.h); lookups ask
// them all by exact, case-sensitive name.
//
// Slot order: 0 destructor, 1 Names, 2 Find, 3 ShutdownNotice.
#pragma once

#include <string>
#include <vector>

namespace framework {

class CommandI;

class CommandSetI {
 public:
  virtual ~CommandSetI() = default;
  // The registered names in insertion order.
  virtual const std::vector<std::string>& Names() const = 0;
  virtual CommandI* Find(const std::string& name) const = 0;
  // The tab is closing: the set's commands will not be asked for again.
  virtual void ShutdownNotice() = 0;
};

}  // namespace framework
