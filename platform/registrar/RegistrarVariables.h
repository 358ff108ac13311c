// The %NAME% replacements of a registrar script (ATL's AddReplacement):
// every %NAME% is replaced by its value before the script is read, and %%
// stands for one percent sign. Single quotes in a value are doubled, so a
// module path with a quote in it stays one quoted token. Names compare
// case-insensitively; an unknown or unterminated name fails the expansion.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

struct RegistrarReplacement {
  std::string_view name;  // without the percent signs
  std::string_view value;
};

// nullopt on an unknown or unterminated name, or when the result would be
// longer than kMaxRegistrarScriptLength.
std::optional<std::string> ExpandRegistrarVariables(
    std::string_view script, std::span<const RegistrarReplacement> replacements);

}  // namespace platform
