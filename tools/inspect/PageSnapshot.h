// What a page and the browser showing it went through, taken at one moment:
// the address, the navigations the browser was asked for, the events it
// raised, what the page was asked to do that the stand-in records (scripts,
// dialogs, the last text selected), the highlight spans in the page and its
// text. The page subcommand prints it as JSON; the demo prints parts of it
// for people.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/browser/BrowserObject.h"
#include "platform/html/HtmlJournal.h"
#include "tools/inspect/BrowserEventLog.h"
#include "tools/inspect/JsonWriter.h"

namespace tools {

// Every span a highlight command inserts carries this prefix in its id.
inline constexpr std::u16string_view kHighlightIdPrefix = u"orvane-highlight-";

struct HighlightSpan {
  std::u16string document;  // the address of the top document or frame holding it
  std::u16string id;
  std::u16string text;
};

struct PageSnapshot {
  std::u16string url;
  std::vector<platform::NavigationRecord> navigations;
  std::vector<BrowserEvent> events;
  std::vector<platform::html::ScriptRun> scripts;
  std::vector<platform::html::DialogShown> dialogs;
  std::optional<platform::html::RangeAction> selection;
  std::vector<HighlightSpan> highlights;
  std::u16string text;
};

// The documents of the page: the top one first, then each frame's, in
// document order at any depth.
std::vector<platform::html::HtmlDocument*> PageDocuments(platform::BrowserObject& browser);
// The highlight spans of every document of the page, in that order; a
// highlight reaches into frames, so counting the top document alone would
// miss some.
std::vector<HighlightSpan> HighlightSpans(platform::BrowserObject& browser);
// The text of the top document's body (empty without a body).
std::u16string PageText(platform::BrowserObject& browser);
// The text of the body of the document at `url`, the top one or a frame's
// at any depth; empty when no document of the page has that address.
std::u16string DocumentText(platform::BrowserObject& browser, std::u16string_view url);
// The last range a page was asked to select, if any.
std::optional<platform::html::RangeAction> LastSelection(
    const platform::html::HtmlJournal& journal);

PageSnapshot TakePageSnapshot(platform::BrowserObject& browser, const BrowserEventLog& events);

void WritePageSnapshotJson(JsonWriter& json, const PageSnapshot& snapshot);

}  // namespace tools
