// What pages were asked to do that this stand-in records instead of doing:
// scripts executed in a document's window, text ranges selected or
// scrolled into view, and HTML dialogs shown. Tests read it to check what a
// command did; the inspection tool prints it. Process-wide and thread-safe;
// tests clear it first.
#pragma once

#include <string>
#include <vector>

namespace platform::html {

struct ScriptRun {
  std::u16string documentUrl;
  std::u16string code;
  std::u16string language;
};

struct RangeAction {
  enum class Kind { kSelect, kScrollIntoView };
  Kind kind;
  std::u16string documentUrl;
  std::u16string text;  // the range's text at the time
  long start;           // character offsets in the body's text
  long end;
};

struct DialogShown {
  std::u16string url;
  std::u16string options;
  void* owner;  // the owner window handle as given
  bool hadArgument;
};

struct HtmlJournal {
  std::vector<ScriptRun> scripts;
  std::vector<RangeAction> rangeActions;
  std::vector<DialogShown> dialogs;
};

HtmlJournal RecordedHtml();
void ClearHtmlJournal();

void RecordScriptRun(ScriptRun run);
void RecordRangeAction(RangeAction action);
void RecordDialogShown(DialogShown dialog);

}  // namespace platform::html
