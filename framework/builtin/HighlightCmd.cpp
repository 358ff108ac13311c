#include <cstdio>
#include <string>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/PageDocuments.h"
#include "framework/builtin/PageReadyWait.h"
#include "framework/builtin/TextExpansion.h"
#include "framework/controls/ElementAttribute.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/text/MarkupEscapes.h"

namespace framework {

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

constexpr std::string_view kDefaultColour = "#f8bf24";

void MarkMatches(IHTMLDocument2* document, const std::u16string& pattern,
                 const std::u16string& openingTag) {
  ComPtr<IHTMLTxtRange> range = BodyRange(document);
  if (!range || pattern.empty()) return;
  range->collapse(VARIANT_TRUE);
  const Bstr searched(pattern);
  VARIANT_BOOL found = VARIANT_FALSE;
  while (SUCCEEDED(range->findText(searched.Get(), kWholeBody, 0, &found)) &&
         found == VARIANT_TRUE) {
    Bstr matched;
    range->get_text(matched.Receive());
    // pasteHTML leaves the range collapsed after the span, so the search
    // goes on past it.
    if (FAILED(range->pasteHTML(
            Bstr(openingTag + platform::EscapeHtml(matched.View()) + u"</span>").Get()))) {
      return;
    }
  }
}

// Replaces each span of this instance by its own text; spans of other
// instances keep their ids and stay. One pass over the page's spans, not a
// lookup by id per span, which would read the whole page once per match:
// last first, so that a live collection (MSHTML's are) still holds the
// positions to come.
void UnmarkMatches(IHTMLDocument2* document, const std::u16string& markerId) {
  ComPtr<IHTMLDocument3> lookup;
  if (FAILED(ComPtr<IHTMLDocument2>(document).As(&lookup))) return;
  ComPtr<IHTMLElementCollection> spans;
  if (FAILED(lookup->getElementsByTagName(Bstr(u"span").Get(), spans.ReleaseAndGetAddressOf())) ||
      !spans) {
    return;
  }
  LONG count = 0;
  if (FAILED(spans->get_length(&count))) return;
  for (LONG index = count; index-- > 0;) {
    ComPtr<IDispatch> item;
    if (FAILED(spans->item(Variant(index), Variant(), item.ReleaseAndGetAddressOf()))) continue;
    ComPtr<IHTMLElement> span;
    if (!item || FAILED(item.As(&span))) continue;
    Bstr id;
    if (FAILED(span->get_id(id.Receive())) || id.View() != markerId) continue;
    Bstr text;
    span->get_innerText(text.Receive());
    span->put_outerText(text.Get());
  }
}

}  // namespace

HighlightCmdC::HighlightCmdC(std::string name) : CommandWithEventsC(std::move(name)) {
  SetEnabled(true);
}

void HighlightCmdC::OnBrowserEvent(DISPID id) {
  if (IsPageChangeEvent(id)) SetChecked(0);
}

std::string HighlightCmdC::MarkerId() const {
  char identity[32];
  std::snprintf(identity, sizeof identity, "%p", static_cast<const void*>(this));
  return std::string("orvane-highlight-") + identity;
}

void HighlightCmdC::Execute(ControlI* control) {
  // Connected here too: a highlight on a page that then goes away must
  // come unchecked even when no text notice came first.
  ConnectBrowserEvents();
  std::string pattern = ElementAttribute(control, "pattern");
  if (pattern.empty()) pattern = ElementAttribute(control, "parameter");
  pattern = ExpandPlaceholders(std::move(pattern), Context());
  if (!WaitForPageReady(Browser())) return;
  std::string colour = ElementAttribute(control, "color");
  if (colour.empty()) colour = kDefaultColour;
  ComPtr<IHTMLDocument2> document = BrowserDocument(Browser());
  if (!document) return;

  const std::u16string markerId = Wide(MarkerId());
  const std::u16string openingTag = u"<span id='" + markerId + u"' style='background-color:" +
                                    platform::EscapeHtml(Wide(colour)) + u";'>";
  // Text in a frame is text of the page, so its matches are marked too.
  for (const ComPtr<IHTMLDocument2>& each :
       DocumentsDepthFirst(TopDocument(document.Get()).Get())) {
    if (Checked() != 0) {
      MarkMatches(each.Get(), Wide(pattern), openingTag);
    } else {
      UnmarkMatches(each.Get(), markerId);
    }
  }
}

void HighlightCmdC::ExecuteWithText(const std::string&, ControlI* control) { Execute(control); }

}  // namespace framework
