#include <string>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/PageDocuments.h"
#include "framework/builtin/PageReadyWait.h"
#include "framework/builtin/TextExpansion.h"
#include "framework/controls/ElementAttribute.h"
#include "platform/automation/Bstr.h"

namespace framework {

namespace {

using platform::ComPtr;

// findText's reach from a collapsed range: the rest of the page.
constexpr LONG kWholePage = 0x3FFFFFFF;

}  // namespace

// Walks the matches of one pattern through the page, one per call, from
// the start (the end, backwards) to the other end of the page.
class FindCmdC::SearchCursor {
 public:
  SearchCursor(ComPtr<IHTMLDocument2> document, std::u16string pattern, bool backwards)
      : document_(std::move(document)), pattern_(std::move(pattern)), backwards_(backwards) {
    Restart();
  }

  void Restart() {
    range_ = BodyRange(document_.Get());
    if (range_) range_->collapse(backwards_ ? VARIANT_FALSE : VARIANT_TRUE);
  }

  // The next match, or null when the cursor has run out.
  ComPtr<IHTMLTxtRange> Next() {
    if (!range_ || pattern_.empty()) return nullptr;
    VARIANT_BOOL found = VARIANT_FALSE;
    const LONG reach = backwards_ ? -kWholePage : kWholePage;
    if (FAILED(range_->findText(platform::Bstr(pattern_).Get(), reach, 0, &found)) ||
        found != VARIANT_TRUE) {
      range_ = nullptr;
      return nullptr;
    }
    ComPtr<IHTMLTxtRange> match;
    range_->duplicate(match.ReleaseAndGetAddressOf());
    // The next search starts past this match, not inside it.
    range_->collapse(backwards_ ? VARIANT_TRUE : VARIANT_FALSE);
    return match;
  }

 private:
  ComPtr<IHTMLDocument2> document_;
  std::u16string pattern_;
  bool backwards_;
  ComPtr<IHTMLTxtRange> range_;
};

FindCmdC::FindCmdC(std::string name, bool backwards)
    : CommandWithEventsC(std::move(name)),
      backwards_(backwards),
      pageEvents_([this](DISPID id) {
        if (IsPageChangeEvent(id)) cursor_.reset();
      }) {
  SetEnabled(true);
}

FindCmdC::~FindCmdC() = default;

void FindCmdC::OnTextNotice(const std::string& text) {
  CommandWithEventsC::OnTextNotice(text);
  pageEvents_.ConnectTo(Browser());
}

void FindCmdC::Execute(ControlI* control) {
  // A search started before any text notice must still learn that the page
  // changed, or its cursor would walk a page that is gone.
  pageEvents_.ConnectTo(Browser());
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
    cursor_ = std::make_unique<SearchCursor>(std::move(document), Wide(pattern), backwards_);
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
