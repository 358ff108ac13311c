#include "framework/builtin/TextExpansion.h"

#include <string_view>

#include "framework/command/CommandContainerI.h"
#include "framework/command/CommandI.h"

namespace framework {

namespace {

constexpr std::string_view kMarker = "##";

}  // namespace

std::string ExpandPlaceholders(std::string text, CommandContainerI* context) {
  if (context == nullptr) return text;
  for (int pass = 0; pass < kMaxExpansionPasses; ++pass) {
    const std::size_t open = text.find(kMarker);
    if (open == std::string::npos) break;
    const std::size_t nameStart = open + kMarker.size();
    const std::size_t close = text.find(kMarker, nameStart);
    if (close == std::string::npos) break;
    CommandI* command = context->FindCommand(text.substr(nameStart, close - nameStart));
    if (command == nullptr) break;
    text.replace(open, close + kMarker.size() - open, command->Text());
  }
  return text;
}

}  // namespace framework
