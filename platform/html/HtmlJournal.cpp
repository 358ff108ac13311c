#include "platform/html/HtmlJournal.h"

#include <mutex>

namespace platform::html {
namespace {

std::mutex gMutex;  // guards gJournal
HtmlJournal gJournal;

}  // namespace

HtmlJournal RecordedHtml() {
  std::lock_guard lock(gMutex);
  return gJournal;
}

void ClearHtmlJournal() {
  std::lock_guard lock(gMutex);
  gJournal = {};
}

void RecordScriptRun(ScriptRun run) {
  std::lock_guard lock(gMutex);
  gJournal.scripts.push_back(std::move(run));
}

void RecordRangeAction(RangeAction action) {
  std::lock_guard lock(gMutex);
  gJournal.rangeActions.push_back(std::move(action));
}

void RecordDialogShown(DialogShown dialog) {
  std::lock_guard lock(gMutex);
  gJournal.dialogs.push_back(std::move(dialog));
}

}  // namespace platform::html
