// How a script command turns its script into the code a page runs: the
// entry function it calls, the call placed in front, and VBScript comment
// lines dropped.
#pragma once

#include <string>
#include <string_view>

namespace framework {

inline constexpr std::string_view kRunOnceEntry = "orvane_run_once";
inline constexpr std::string_view kRunInAllFramesEntry = "orvane_run_in_all_frames";
inline constexpr std::string_view kMainEntry = "orvane_main";

// The first of the three entry names that occurs anywhere in the script;
// empty when none does.
std::string_view EntryFunction(std::string_view script);

// The code for one document: with an entry, the call comes first
// ("entry();\n" for "javascript", "entry\n" for other languages); for
// "VBScript" every line after the first that starts (after blanks and tabs)
// with an apostrophe is removed.
std::string ScriptCode(std::string_view script, std::string_view entry, std::string_view language);

// True when the text names a script file rather than holding the script:
// it ends with ".js", ".vb" or ".vbs".
bool NamesScriptFile(std::string_view script);

}  // namespace framework
