#include <string>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/PageDocuments.h"
#include "framework/builtin/PageReadyWait.h"
#include "framework/builtin/PageSearchCursor.h"
#include "framework/builtin/TextExpansion.h"
#include "framework/controls/ElementAttribute.h"

namespace framework {

using platform::ComPtr;

FindCmdC::FindCmdC(std::string name, bool backwards)
    : CommandWithEventsC(std::move(name)), backwards_(backwards) {
  SetEnabled(true);
}

FindCmdC::~FindCmdC() = default;

void FindCmdC::OnBrowserEvent(DISPID id) {
  if (IsPageChangeEvent(id)) cursor_.reset();
}

void FindCmdC::Execute(ControlI* control) {
  // A search started before any text notice must still learn that the page
  // changed, or its cursor would walk a page that is gone.
  ConnectBrowserEvents();
  if (!WaitForPageReady(Browser())) return;
  std::string pattern = ElementAttribute(control, "pattern");
  if (pattern.empty()) pattern = ElementAttribute(control, "parameter");
  pattern = ExpandPlaceholders(std::move(pattern), Context());
  if (pattern != lastPattern_) {
    cursor_.reset();
    lastPattern_ = pattern;
  }
  if (!cursor_) {
    ComPtr<IHTMLDocument2> document = BrowserDocument(Browser());
    if (!document) return;
    // Text in a frame is text of the page the user searches.
    cursor_ = std::make_unique<PageSearchCursor>(
        DocumentsDepthFirst(TopDocument(document.Get()).Get()), Wide(pattern), backwards_);
  }
  for (int pass = 0; pass < 2; ++pass) {
    while (ComPtr<IHTMLTxtRange> match = cursor_->Next()) {
      if (SUCCEEDED(match->select())) {
        match->scrollIntoView(VARIANT_TRUE);
        return;
      }
    }
    cursor_->Restart();
  }
}

void FindCmdC::ExecuteWithText(const std::string&, ControlI* control) { Execute(control); }

}  // namespace framework
