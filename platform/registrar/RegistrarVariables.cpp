#include "platform/registrar/RegistrarVariables.h"

#include "platform/registrar/RegistrarCase.h"
#include "platform/registrar/RegistrarLimits.h"

namespace platform {
namespace {

using registrar_detail::EqualNoCase;

const RegistrarReplacement* FindReplacement(std::span<const RegistrarReplacement> replacements,
                                            std::string_view name) {
  for (const RegistrarReplacement& replacement : replacements) {
    if (EqualNoCase(replacement.name, name)) return &replacement;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> ExpandRegistrarVariables(
    std::string_view script, std::span<const RegistrarReplacement> replacements) {
  std::string expanded;
  std::size_t position = 0;
  while (position < script.size()) {
    const std::size_t percent = script.find('%', position);
    expanded.append(script.substr(position, percent - position));
    if (percent == std::string_view::npos) break;
    const std::size_t close = script.find('%', percent + 1);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view name = script.substr(percent + 1, close - percent - 1);
    if (name.empty()) {
      expanded.push_back('%');
    } else {
      const RegistrarReplacement* replacement = FindReplacement(replacements, name);
      if (replacement == nullptr) return std::nullopt;
      for (const char c : replacement->value) {
        if (c == '\'') expanded.push_back('\'');
        expanded.push_back(c);
      }
    }
    if (expanded.size() > kMaxRegistrarScriptLength) return std::nullopt;
    position = close + 1;
  }
  if (expanded.size() > kMaxRegistrarScriptLength) return std::nullopt;
  return expanded;
}

}  // namespace platform
