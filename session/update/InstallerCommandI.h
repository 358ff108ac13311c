// What the update check needs of a tab's Update button beyond any command's
// state: to be told which installer it starts. The button's command class
// implements it; the check finds the command by name in every tab.
#pragma once

#include <string>

namespace session {

inline constexpr char kUpdateCommand[] = "VimaruIEToolbar.Update";
// Two leading spaces, as the toolbar's other text buttons have.
inline constexpr char kUpdateCaption[] = "  Update";

class InstallerCommandI {
 public:
  virtual void SetInstallerPath(std::string path) = 0;

 protected:
  ~InstallerCommandI() = default;
};

}  // namespace session
