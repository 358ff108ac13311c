// The search box's term as it goes into an engine's address. The box holds
// ANSI text as the user typed it; the engines read their query values as
// UTF-8, percent-encoded, with "+" for a space (an HTML form's encoding), so
// that "AT&T", "c++" and "100%" arrive as typed instead of ending the value,
// turning into spaces or breaking the address.
#pragma once

#include <string>
#include <string_view>

namespace commands {

// What the box shows until the user types; searching it means searching
// nothing.
inline constexpr char kSearchPlaceholder[] = "Enter search term...";

// Letters, digits and - . _ ~ stand as themselves, a space becomes "+",
// every other byte of the term's UTF-8 form becomes %XX.
std::string EncodeSearchTerm(std::string_view ansiTerm);

}  // namespace commands
