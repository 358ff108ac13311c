#include "framework/builtin/ScriptText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace framework {
namespace {

TEST(ScriptText, TheEntryIsTheFirstListedNameFoundAnywhereInTheScript) {
  struct Case {
    std::string_view script;
    std::string_view entry;
  };
  const Case cases[] = {
      {"", ""},
      {"alert(1);", ""},
      {"function orvane_main() {}", kMainEntry},
      {"function orvane_run_in_all_frames() {}", kRunInAllFramesEntry},
      // The list's order decides, not where a name stands in the text.
      {"orvane_main(); orvane_run_in_all_frames();", kRunInAllFramesEntry},
      {"orvane_main(); orvane_run_in_all_frames(); orvane_run_once();", kRunOnceEntry},
      // A name inside a longer word still counts: it occurs in the text.
      {"my_orvane_main_helper()", kMainEntry},
      {"' orvane_run_once in a comment", kRunOnceEntry},
      // Names are case-sensitive and must be whole.
      {"ORVANE_MAIN()", ""},
      {"orvane_run()", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(EntryFunction(c.script), c.entry) << c.script;
}

TEST(ScriptText, CodeCallsTheEntryFirstAndDropsVBScriptCommentLinesAfterTheFirst) {
  struct Case {
    std::string_view script;
    std::string_view entry;
    std::string_view language;
    std::string_view code;
  };
  const Case cases[] = {
      {"alert(1);", "", "javascript", "alert(1);"},
      {"function orvane_main(){}", kMainEntry, "javascript",
       "orvane_main();\nfunction orvane_main(){}"},
      {"Sub orvane_main\nEnd Sub", kMainEntry, "VBScript", "orvane_main\nSub orvane_main\nEnd Sub"},
      // Only "javascript" gets the parentheses.
      {"x", kMainEntry, "JScript", "orvane_main\nx"},
      // The first line stays even when it is a comment...
      {"' header\n' more\nx", "", "VBScript", "' header\nx"},
      // ...but with an entry the first line is the call, so the script's
      // own first line may go.
      {"' header\nx", kMainEntry, "VBScript", "orvane_main\nx"},
      // Blanks and tabs before the apostrophe still make a comment line.
      {"x\n \t ' note\n\t'note\ny", "", "VBScript", "x\ny"},
      // An apostrophe after code, blank lines and rem lines stay.
      {"x\nMsgBox 1 ' note\n\n  \nRem note\ny", "", "VBScript",
       "x\nMsgBox 1 ' note\n\n  \nRem note\ny"},
      // Lines end at the line feed, so CR LF lines go whole.
      {"x\r\n  ' note\r\ny\r\n", "", "VBScript", "x\r\ny\r\n"},
      {"x\n' last", "", "VBScript", "x\n"},
      // Other languages keep every line.
      {"x\n' quoted'", "", "javascript", "x\n' quoted'"},
      {"", "", "VBScript", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScriptCode(c.script, c.entry, c.language), c.code)
        << c.language << " [" << c.script << "]";
  }
}

TEST(ScriptText, AScriptEndingInAScriptFileSuffixNamesAFile) {
  struct Case {
    std::string_view script;
    bool namesFile;
  };
  const Case cases[] = {
      {"tool.js", true},
      {"tool.vb", true},
      {"tool.vbs", true},
      {"C:\\Scripts\\tool.vbs", true},
      {".js", true},
      {".vbs", true},
      // Only the last characters count, whatever comes before them.
      {"alert('x'); // see a.js", true},
      {"tool.jsx", false},
      {"tool.vbsx", false},
      {"tool.js ", false},
      {"tool.s", false},
      {"js", false},
      {"vbs", false},
      {"s", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(NamesScriptFile(c.script), c.namesFile) << c.script;
}

}  // namespace
}  // namespace framework
