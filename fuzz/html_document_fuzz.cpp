// Pages are the least trusted input the toolbar reads: the find, highlight
// and scan commands walk the body text of every page the user opens,
// frames included, through the document stand-in. Whatever the bytes and
// the charset the server claims, the rendered text maps every character back
// into the tree, the body's innerText and its text range agree with it, any
// stretch of it is found again forwards and backwards, pasting into a range
// leaves a rendering that still maps, and the frames a page declares are
// reached through every way the product walks them.
//
// Input: one byte picks the declared charset, two bytes pick the stretch to
// find (start as a fraction of the text, then length), one byte the find
// flags and the paste, and the rest is the page. Each frame element's src
// text is the page of that frame, so frames are fuzzed too.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/html/HtmlDocument.h"
#include "platform/html/HtmlElement.h"
#include "platform/html/HtmlJournal.h"
#include "platform/text/CodePage.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::html::HtmlDocument;
using platform::html::HtmlElement;
using platform::html::HtmlTree;
using platform::html::Node;
using platform::html::RenderedText;

constexpr std::array<std::string_view, 8> kDeclaredCharsets = {
    "", "utf-8", "UTF-16", "utf-16be", "iso-8859-1", "windows-1252", "shift_jis", "us-ascii"};

// The count the product's commands search the rest of a body with.
constexpr LONG kWholeBody = 0x3FFFFFFF;
// Pages with more frames than this are read up to it; what is left adds
// nothing the first ones do not.
constexpr std::size_t kMaxFrames = 8;

struct Choices {
  std::string_view charset;
  std::uint8_t findStart = 0;
  std::uint8_t findLength = 0;
  std::uint8_t flags = 0;
};

void CheckSources(const RenderedText& rendered) {
  FUZZ_CHECK(rendered.sources.size() == rendered.text.size());
  for (const RenderedText::Source& source : rendered.sources) {
    if (source.node == nullptr) continue;
    FUZZ_CHECK(platform::html::IsText(source.node));
    FUZZ_CHECK(source.begin <= source.end);
    FUZZ_CHECK(source.end <= HtmlTree::TextOf(source.node).size());
  }
}

std::u16string TextOf(IHTMLTxtRange* range) {
  Bstr text;
  FUZZ_CHECK(range->get_text(text.Receive()) == S_OK);
  return text.String();
}

std::u16string InnerTextOf(IHTMLElement* element) {
  Bstr text;
  FUZZ_CHECK(element->get_innerText(text.Receive()) == S_OK);
  return text.String();
}

// Where a range lies, in characters of the body text, as select() reports it.
platform::html::RangeAction Selected(IHTMLTxtRange* range) {
  platform::html::ClearHtmlJournal();
  FUZZ_CHECK(range->select() == S_OK);
  const platform::html::HtmlJournal journal = platform::html::RecordedHtml();
  FUZZ_CHECK(journal.rangeActions.size() == 1);
  return journal.rangeActions.front();
}

ComPtr<IHTMLTxtRange> Duplicate(IHTMLTxtRange* range) {
  ComPtr<IHTMLTxtRange> copy;
  FUZZ_CHECK(range->duplicate(copy.ReleaseAndGetAddressOf()) == S_OK);
  return copy;
}

void CheckFind(IHTMLTxtRange* whole, const std::u16string& text, const Choices& choices) {
  if (text.empty()) return;
  const std::size_t start = choices.findStart * text.size() / 256;
  const std::size_t length =
      std::min<std::size_t>(1 + choices.findLength % 32, text.size() - start);
  const std::u16string needle = text.substr(start, length);
  const LONG flags = (choices.flags & 1) != 0 ? FINDTEXT_MATCHCASE : 0;
  const Bstr needleText(needle);

  VARIANT_BOOL found = VARIANT_FALSE;
  ComPtr<IHTMLTxtRange> forward = Duplicate(whole);
  FUZZ_CHECK(forward->findText(needleText.Get(), kWholeBody, flags, &found) == S_OK);
  FUZZ_CHECK(found == VARIANT_TRUE);
  const platform::html::RangeAction first = Selected(forward.Get());
  FUZZ_CHECK(first.start >= 0 && static_cast<std::size_t>(first.start) <= start);
  FUZZ_CHECK(first.end - first.start == static_cast<long>(needle.size()));
  FUZZ_CHECK(first.text.size() == needle.size());
  if (flags == FINDTEXT_MATCHCASE) FUZZ_CHECK(first.text == needle);

  ComPtr<IHTMLTxtRange> backward = Duplicate(whole);
  FUZZ_CHECK(backward->collapse(VARIANT_FALSE) == S_OK);
  FUZZ_CHECK(backward->findText(needleText.Get(), -kWholeBody, flags, &found) == S_OK);
  FUZZ_CHECK(found == VARIANT_TRUE);
  const platform::html::RangeAction last = Selected(backward.Get());
  FUZZ_CHECK(static_cast<std::size_t>(last.start) >= start);
  FUZZ_CHECK(static_cast<std::size_t>(last.end) <= text.size());
  if (flags == FINDTEXT_MATCHCASE) FUZZ_CHECK(last.text == needle);
}

void CheckMoves(IHTMLTxtRange* whole, const Choices& choices) {
  ComPtr<IHTMLTxtRange> range = Duplicate(whole);
  const Bstr character(u"character");
  LONG moved = 0;
  FUZZ_CHECK(range->moveStart(character.Get(), choices.findStart, &moved) == S_OK);
  FUZZ_CHECK(moved >= 0 && moved <= choices.findStart);
  FUZZ_CHECK(range->moveEnd(character.Get(), -LONG{choices.findLength}, &moved) == S_OK);
  FUZZ_CHECK(moved <= 0 && moved >= -LONG{choices.findLength});
  LONG order = 0;
  FUZZ_CHECK(range->compareEndPoints(Bstr(u"StartToEnd").Get(), range.Get(), &order) == S_OK);
  FUZZ_CHECK(order <= 0);
  VARIANT_BOOL inside = VARIANT_FALSE;
  FUZZ_CHECK(whole->inRange(range.Get(), &inside) == S_OK && inside == VARIANT_TRUE);
}

// The whole of `scope`'s text, as the document's renderer keeps it.
const RenderedText& RenderedTextOf(HtmlDocument& document, Node* scope) {
  platform::html::TextRenderer& renderer = document.RendererOf(scope);
  renderer.RenderAll();
  return renderer.Rendered();
}

// Pastes the page's own first bytes as HTML over what the range covers.
void CheckPaste(HtmlDocument& document, Node* body, IHTMLTxtRange* range, std::string_view page) {
  const Bstr html(platform::Utf8ToWide(page.substr(0, 64)));
  FUZZ_CHECK(range->pasteHTML(html.Get()) == S_OK);
  const RenderedText& after = RenderedTextOf(document, body);
  CheckSources(after);
  FUZZ_CHECK(TextOf(range).empty());
}

void CheckBody(HtmlDocument& document, const Choices& choices, std::string_view page) {
  ComPtr<IHTMLElement> body;
  FUZZ_CHECK(document.get_body(body.ReleaseAndGetAddressOf()) == S_OK);
  if (!body) return;
  ComPtr<IHTMLBodyElement> bodyElement;
  FUZZ_CHECK(body.As(&bodyElement) == S_OK);
  Node* const bodyNode = static_cast<HtmlElement*>(body.Get())->GetNode();

  const std::u16string text = RenderedTextOf(document, bodyNode).text;
  CheckSources(RenderedTextOf(document, bodyNode));
  FUZZ_CHECK(InnerTextOf(body.Get()) == text);

  ComPtr<IHTMLTxtRange> whole;
  FUZZ_CHECK(bodyElement->createTextRange(whole.ReleaseAndGetAddressOf()) == S_OK);
  FUZZ_CHECK(TextOf(whole.Get()) == text);
  CheckFind(whole.Get(), text, choices);
  CheckMoves(whole.Get(), choices);
  if ((choices.flags & 2) != 0) {
    ComPtr<IHTMLTxtRange> target = Duplicate(whole.Get());
    LONG moved = 0;
    target->moveStart(Bstr(u"character").Get(), choices.findStart, &moved);
    CheckPaste(document, bodyNode, target.Get(), page);
    FUZZ_CHECK(InnerTextOf(body.Get()) == RenderedTextOf(document, bodyNode).text);
  }
}

ComPtr<HtmlDocument> LoadedDocument(std::string_view page, std::string_view charset) {
  auto document = platform::Make<HtmlDocument>(u"http://127.0.0.1/page.htm");
  document->LoadPage(page, charset);
  document->SetComplete(true);
  return document;
}

// The frames as the product reaches them: the window's frames collection
// and the document's embedded objects, each frame's window leading back up.
void CheckFrames(HtmlDocument& top) {
  ComPtr<IHTMLFramesCollection2> frames;
  FUZZ_CHECK(top.get_frames(frames.ReleaseAndGetAddressOf()) == S_OK);
  LONG length = -1;
  FUZZ_CHECK(frames->get_length(&length) == S_OK);
  FUZZ_CHECK(length == static_cast<LONG>(top.FrameCount()));
  for (LONG i = 0; i < length; ++i) {
    platform::Variant index(i);
    platform::Variant item;
    FUZZ_CHECK(frames->item(&index, item.Receive()) == S_OK);
    ComPtr<IHTMLWindow2> window;
    FUZZ_CHECK(item.pdispVal->QueryInterface(IID_PPV_ARGS(window.ReleaseAndGetAddressOf())) ==
               S_OK);
    ComPtr<IHTMLDocument2> document;
    FUZZ_CHECK(window->get_document(document.ReleaseAndGetAddressOf()) == S_OK);
    FUZZ_CHECK(document.Get() == static_cast<IHTMLDocument2*>(top.FrameDocument(i)));
    // Windows are made per request, so they are compared by their documents.
    ComPtr<IHTMLWindow2> parent;
    FUZZ_CHECK(window->get_parent(parent.ReleaseAndGetAddressOf()) == S_OK);
    ComPtr<IHTMLDocument2> parentDocument;
    FUZZ_CHECK(parent->get_document(parentDocument.ReleaseAndGetAddressOf()) == S_OK);
    FUZZ_CHECK(parentDocument.Get() == static_cast<IHTMLDocument2*>(&top));
  }

  ComPtr<IEnumUnknown> embedded;
  FUZZ_CHECK(top.EnumObjects(OLECONTF_EMBEDDINGS, embedded.ReleaseAndGetAddressOf()) == S_OK);
  ULONG count = 0;
  for (IUnknown* item = nullptr; embedded->Next(1, &item, nullptr) == S_OK; item->Release()) {
    ++count;
  }
  FUZZ_CHECK(count == top.FrameCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const Choices choices{kDeclaredCharsets[data[0] % kDeclaredCharsets.size()], data[1], data[2],
                        data[3]};
  const std::string_view page(reinterpret_cast<const char*>(data + 4), size - 4);

  ComPtr<HtmlDocument> top = LoadedDocument(page, choices.charset);
  for (const HtmlDocument::FrameElement& frame : top->FrameElements()) {
    if (top->FrameCount() == kMaxFrames) break;
    ComPtr<HtmlDocument> document = LoadedDocument(platform::WideToUtf8(frame.source), "utf-8");
    top->AttachFrame(ComPtr<IUnknown>(static_cast<IHTMLDocument2*>(document.Get())), document);
  }
  CheckFrames(*top);
  for (std::size_t i = 0; i < top->FrameCount(); ++i) {
    CheckBody(*top->FrameDocument(i), choices, page);
  }
  CheckBody(*top, choices, page);
  platform::html::ClearHtmlJournal();
  return 0;
}
