// "##name##" in a command's text stands for the current text of the command
// registered under that name, so a layout can hand what the user typed into
// one control (a search box) to another command (find, navigate, script).
#pragma once

#include <string>

namespace framework {

class CommandContainerI;

// Each pass replaces the first placeholder only, so a command whose text
// names itself grows the text by that text once per pass: this bound keeps
// such a layout from hanging the browser's thread while leaving room for any
// sensible chain of commands naming each other.
inline constexpr int kMaxExpansionPasses = 32;

// Replaces the first "##name##" by the text of the command `name` (as the
// tab context finds it) and starts over, until no placeholder is left, the
// first one names no command (it stays as written, and so does the rest) or
// the pass bound is reached. A null context expands nothing.
std::string ExpandPlaceholders(std::string text, CommandContainerI* context);

}  // namespace framework
