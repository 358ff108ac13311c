#include "framework/controls/ComboListText.h"

namespace framework {

std::vector<std::string> SplitListText(std::string_view list) {
  std::vector<std::string> items;
  std::string_view rest = list;
  for (auto at = rest.find("##"); at != std::string_view::npos && at > 0; at = rest.find("##")) {
    items.emplace_back(rest.substr(0, at));
    rest.remove_prefix(at + 2);
  }
  if (!rest.empty()) items.emplace_back(rest);
  return items;
}

}  // namespace framework
