// The tab context as commands and the layout see it: where commands are
// looked up by name and where the product answers where its layout lives.
//
// Slot order: 0 destructor, 1 FindCommand, 2 CreateCommandInstance,
// 3 LayoutLocation, 4 StoredLayoutLocation, 5 BandClassIdText,
// 6 ElevationPolicyIdText. ToolBandContextC continues with slots 7 to 10.
#pragma once

#include <string>

#include "platform/registry/RegistryTypes.h"

namespace framework {

class CommandC;
class CommandI;

// Where the stored copy of the layout lives: a binary registry value.
struct StoredLayoutLocation {
  HKEY hive = nullptr;
  std::string keyPath;
  std::string valueName;
};

class CommandContainerI {
 public:
  virtual ~CommandContainerI() = default;
  // Plug-in command sets first, then the context's own; null when no one
  // answers the name.
  virtual CommandI* FindCommand(const std::string& name) = 0;
  // A fresh instance of a built-in command registered under `id`; null for
  // any other name.
  virtual CommandC* CreateCommandInstance(const std::string& name, const std::string& id) = 0;
  // "res://...", "file://..." or a plain path; empty means no toolbar.
  virtual std::string LayoutLocation() = 0;
  virtual StoredLayoutLocation GetStoredLayoutLocation() = 0;
  virtual std::string BandClassIdText() = 0;
  virtual std::string ElevationPolicyIdText() = 0;
};

}  // namespace framework
