// The `list` attribute of a combo-box element: its initial items joined by
// "##". A "##" counts as a separator only after the first character of
// what remains, so a text that begins with "##" stays one item.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace framework {

std::vector<std::string> SplitListText(std::string_view list);

}  // namespace framework
