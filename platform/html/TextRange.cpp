// Text ranges over a body's rendered text (see RenderedText.h). A range is a
// pair of character offsets into that text, read afresh on every call so
// that edits made meanwhile are seen; offsets past the end are clamped.
// Each call renders the text only as far as it reads it, and pasteHTML
// keeps what its edit left as it was.
#include <libxml/tree.h>

#include <algorithm>
#include <limits>

#include "platform/html/HtmlElement.h"
#include "platform/html/HtmlJournal.h"
#include "platform/html/RenderedText.h"

namespace platform::html {
namespace {

char16_t Folded(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
    return static_cast<char16_t>(c + 32);
  }
  return c;
}

bool IsWordCharacter(char16_t c) {
  return (c >= u'0' && c <= u'9') || c == u'_' || Folded(c) != c || (c >= u'a' && c <= u'z') ||
         (c >= 0xDF && c <= 0xFF && c != 0xF7);
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return Folded(x) == Folded(y); });
}

constexpr std::size_t kWholeText = std::numeric_limits<std::size_t>::max();

// Whether `node` is one of `roots` or below one; the roots are children of
// `parent`, so the walk up ends there.
bool IsInside(const Node* node, const std::vector<Node*>& roots, const Node* parent) {
  for (; node != nullptr && node != parent; node = node->parent) {
    if (std::find(roots.begin(), roots.end(), node) != roots.end()) return true;
  }
  return false;
}

class TextRange final : public DispatchObject<IHTMLTxtRange> {
 public:
  TextRange(ComPtr<HtmlDocument> document, Node* scope, std::size_t start, std::size_t end)
      : document_(std::move(document)), scope_(scope), start_(start), end_(end) {}

  HRESULT STDMETHODCALLTYPE get_text(BSTR* text) override {
    const RenderedText& rendered = Render();
    return CopyToBstr(std::u16string_view(rendered.text).substr(start_, end_ - start_), text);
  }

  HRESULT STDMETHODCALLTYPE pasteHTML(BSTR html) override;

  HRESULT STDMETHODCALLTYPE findText(BSTR text, LONG count, LONG flags,
                                     VARIANT_BOOL* found) override {
    if (found == nullptr) return E_POINTER;
    *found = VARIANT_FALSE;
    const std::u16string_view needle = Bstr::Borrowed(text);
    Render();
    if (needle.empty()) return S_OK;
    const bool backwards = count < 0 || (flags & FINDTEXT_BACKWARDS) != 0;
    std::size_t regionStart = start_;
    std::size_t regionEnd = end_;
    if (start_ == end_) {
      const std::size_t reach =
          count == 0 ? kWholeText
                     : static_cast<std::size_t>(std::abs(static_cast<long long>(count)));
      if (backwards) {
        regionStart = start_ > reach ? start_ - reach : 0;
      } else {
        regionEnd = start_ + std::min(reach, kWholeText - start_);
      }
    }
    const std::optional<std::size_t> at = backwards
                                              ? FindBackwards(needle, flags, regionStart, regionEnd)
                                              : FindForwards(needle, flags, regionStart, regionEnd);
    if (!at) return S_OK;
    start_ = *at;
    end_ = *at + needle.size();
    *found = VARIANT_TRUE;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE select() override { return Record(RangeAction::Kind::kSelect); }
  HRESULT STDMETHODCALLTYPE scrollIntoView(VARIANT_BOOL) override {
    return Record(RangeAction::Kind::kScrollIntoView);
  }

  HRESULT STDMETHODCALLTYPE collapse(VARIANT_BOOL toStart) override {
    Render();
    if (toStart != VARIANT_FALSE) {
      end_ = start_;
    } else {
      start_ = end_;
    }
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE duplicate(IHTMLTxtRange** copy) override {
    if (copy == nullptr) return E_POINTER;
    *copy = Make<TextRange>(document_, scope_, start_, end_).Detach();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE move(BSTR unit, LONG count, LONG* moved) override {
    collapse(count < 0 ? VARIANT_TRUE : VARIANT_FALSE);
    const HRESULT hr = moveStart(unit, count, moved);
    end_ = start_;
    return hr;
  }

  HRESULT STDMETHODCALLTYPE moveStart(BSTR unit, LONG count, LONG* moved) override {
    const HRESULT hr = Moved(unit, count, start_, moved);
    end_ = std::max(start_, end_);
    return hr;
  }

  HRESULT STDMETHODCALLTYPE moveEnd(BSTR unit, LONG count, LONG* moved) override {
    const HRESULT hr = Moved(unit, count, end_, moved);
    start_ = std::min(start_, end_);
    return hr;
  }

  HRESULT STDMETHODCALLTYPE setEndPoint(BSTR how, IHTMLTxtRange* other) override {
    const TextRange* source = dynamic_cast<TextRange*>(other);
    std::size_t* mine = nullptr;
    std::size_t theirs = 0;
    if (!EndPoints(how, source, &mine, &theirs)) return E_INVALIDARG;
    *mine = theirs;
    if (start_ > end_) (mine == &start_ ? end_ : start_) = theirs;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE compareEndPoints(BSTR how, IHTMLTxtRange* other,
                                             LONG* result) override {
    if (result == nullptr) return E_POINTER;
    const TextRange* source = dynamic_cast<TextRange*>(other);
    std::size_t* mine = nullptr;
    std::size_t theirs = 0;
    if (!EndPoints(how, source, &mine, &theirs)) return E_INVALIDARG;
    *result = *mine < theirs ? -1 : *mine > theirs ? 1 : 0;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE isEqual(IHTMLTxtRange* other, VARIANT_BOOL* equal) override {
    if (equal == nullptr) return E_POINTER;
    const TextRange* source = dynamic_cast<TextRange*>(other);
    const bool same = source != nullptr && source->scope_ == scope_ && source->start_ == start_ &&
                      source->end_ == end_;
    *equal = same ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE inRange(IHTMLTxtRange* other, VARIANT_BOOL* inside) override {
    if (inside == nullptr) return E_POINTER;
    const TextRange* source = dynamic_cast<TextRange*>(other);
    const bool within = source != nullptr && source->scope_ == scope_ && source->start_ >= start_ &&
                        source->end_ <= end_;
    *inside = within ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE parentElement(IHTMLElement** parent) override {
    if (parent == nullptr) return E_POINTER;
    const RenderedText& rendered = Render();
    Node* common = nullptr;
    for (std::size_t i = start_; i < end_; ++i) {
      Node* node = rendered.sources[i].node;
      if (node == nullptr) continue;
      common = common == nullptr ? node->parent : CommonAncestor(common, node);
    }
    if (!IsElement(common)) common = scope_;
    ComPtr<IHTMLElement> element = document_->ElementFor(common);
    *parent = element.Detach();
    return S_OK;
  }

 private:
  // The scope's text, rendered at least through this range and through
  // `through`, with the range clamped to it.
  const RenderedText& Render(std::size_t through = 0) {
    TextRenderer& renderer = document_->RendererOf(scope_);
    renderer.RenderThrough(std::max(end_, through));
    const RenderedText& rendered = renderer.Rendered();
    end_ = std::min(end_, rendered.text.size());
    start_ = std::min(start_, end_);
    return rendered;
  }

  // Rendering as the search goes, so that it reads no further than its
  // match; the character after a candidate is rendered too, as a whole
  // word depends on it.
  std::optional<std::size_t> FindForwards(std::u16string_view needle, LONG flags,
                                          std::size_t regionStart, std::size_t regionEnd) {
    TextRenderer& renderer = document_->RendererOf(scope_);
    for (std::size_t at = regionStart;; ++at) {
      renderer.RenderThrough(at + needle.size() + 1);
      const std::u16string& text = renderer.Rendered().text;
      if (at + needle.size() > std::min(regionEnd, text.size())) return std::nullopt;
      if (Matches(text, at, needle, flags)) return at;
    }
  }

  std::optional<std::size_t> FindBackwards(std::u16string_view needle, LONG flags,
                                           std::size_t regionStart, std::size_t regionEnd) {
    const std::u16string& text = Render(regionEnd + 1).text;
    if (regionEnd < regionStart + needle.size()) return std::nullopt;
    for (std::size_t at = regionEnd - needle.size() + 1; at-- > regionStart;) {
      if (Matches(text, at, needle, flags)) return at;
    }
    return std::nullopt;
  }

  static Node* CommonAncestor(Node* a, Node* b) {
    for (Node* candidate = a; candidate != nullptr; candidate = candidate->parent) {
      for (Node* other = b; other != nullptr; other = other->parent) {
        if (other == candidate) return candidate;
      }
    }
    return nullptr;
  }

  static bool Matches(const std::u16string& text, std::size_t at, std::u16string_view needle,
                      LONG flags) {
    const std::u16string_view candidate = std::u16string_view(text).substr(at, needle.size());
    const bool same = (flags & FINDTEXT_MATCHCASE) != 0 ? candidate == needle
                                                        : EqualsIgnoringCase(candidate, needle);
    if (!same || (flags & FINDTEXT_WHOLEWORD) == 0) return same;
    const bool startsWord = at == 0 || !IsWordCharacter(text[at - 1]);
    const std::size_t after = at + needle.size();
    return startsWord && (after >= text.size() || !IsWordCharacter(text[after]));
  }

  HRESULT Moved(BSTR unit, LONG count, std::size_t& point, LONG* moved) {
    const std::u16string_view unitName = Bstr::Borrowed(unit);
    const bool characters = EqualsIgnoringCase(unitName, u"character");
    const long long wanted = static_cast<long long>(point) + count;
    const RenderedText& rendered =
        Render(characters ? static_cast<std::size_t>(std::max(wanted, 0LL))
                          : (count > 0 ? kWholeText : 0));
    const std::size_t before = point;
    if (characters) {
      const long long target = static_cast<long long>(point) + count;
      point = static_cast<std::size_t>(
          std::clamp<long long>(target, 0, static_cast<long long>(rendered.text.size())));
      if (moved != nullptr)
        *moved = static_cast<LONG>(static_cast<long long>(point) - static_cast<long long>(before));
    } else if (EqualsIgnoringCase(unitName, u"textedit")) {
      if (count != 0) point = count < 0 ? 0 : rendered.text.size();
      if (moved != nullptr) *moved = point == before ? 0 : (count < 0 ? -1 : 1);
    } else {
      return E_INVALIDARG;
    }
    return S_OK;
  }

  bool EndPoints(BSTR how, const TextRange* other, std::size_t** mine, std::size_t* theirs) {
    if (other == nullptr || other->scope_ != scope_) return false;
    const std::u16string_view name = Bstr::Borrowed(how);
    if (name.size() < 8) return false;
    const bool mineIsStart = EqualsIgnoringCase(name.substr(0, 5), u"Start");
    const bool theirsIsStart = EqualsIgnoringCase(name.substr(name.size() - 5), u"Start");
    if (!EqualsIgnoringCase(name, mineIsStart ? (theirsIsStart ? u"StartToStart" : u"StartToEnd")
                                              : (theirsIsStart ? u"EndToStart" : u"EndToEnd"))) {
      return false;
    }
    Render();
    *mine = mineIsStart ? &start_ : &end_;
    *theirs = theirsIsStart ? other->start_ : other->end_;
    return true;
  }

  HRESULT Record(RangeAction::Kind kind) {
    const RenderedText& rendered = Render();
    RecordRangeAction({kind, document_->Url(), rendered.text.substr(start_, end_ - start_),
                       static_cast<long>(start_), static_cast<long>(end_)});
    return S_OK;
  }

  ComPtr<HtmlDocument> document_;
  Node* scope_;
  std::size_t start_;
  std::size_t end_;
};

// Where pasted content goes: (text node, offset) when the range touches
// text, else the end of the scope. The first text character inside the
// range wins (its node is where the deletion starts), then the text just
// before the range, then the text just after it.
struct PastePoint {
  Node* textNode = nullptr;
  std::size_t offset = 0;
};

PastePoint FindPastePoint(TextRenderer& renderer, std::size_t start, std::size_t end) {
  const std::vector<RenderedText::Source>& sources = renderer.Rendered().sources;
  for (std::size_t i = start; i < end; ++i) {
    if (sources[i].node != nullptr) return {sources[i].node, sources[i].begin};
  }
  for (std::size_t i = start; i > 0; --i) {
    if (sources[i - 1].node != nullptr) return {sources[i - 1].node, sources[i - 1].end};
  }
  for (std::size_t i = end;; ++i) {
    renderer.RenderThrough(i + 1);
    const std::vector<RenderedText::Source>& after = renderer.Rendered().sources;
    if (i >= after.size()) return {};
    if (after[i].node != nullptr) return {after[i].node, after[i].begin};
  }
}

// Removes the range's characters from the text nodes they came from. The
// characters of one node within a range are contiguous in it, so each node
// loses one span.
void DeleteRangeText(HtmlTree& tree, const RenderedText& rendered, std::size_t start,
                     std::size_t end) {
  std::vector<RenderedText::Source> spans;
  for (std::size_t i = start; i < end; ++i) {
    const RenderedText::Source& source = rendered.sources[i];
    if (source.node == nullptr) continue;
    if (!spans.empty() && spans.back().node == source.node) {
      spans.back().begin = std::min(spans.back().begin, source.begin);
      spans.back().end = std::max(spans.back().end, source.end);
    } else {
      spans.push_back(source);
    }
  }
  for (const RenderedText::Source& span : spans) {
    std::u16string text = HtmlTree::TextOf(span.node);
    text.erase(span.begin, std::min(text.size(), span.end) - std::min(text.size(), span.begin));
    tree.SetText(span.node, text);
  }
}

HRESULT TextRange::pasteHTML(BSTR html) {
  HtmlTree& tree = document_->Tree();
  const std::uint64_t unedited = tree.Generation();
  // Read before the edits below make it stale; nothing renders again
  // until they are done.
  const RenderedText& rendered = Render();
  const PastePoint point = FindPastePoint(document_->RendererOf(scope_), start_, end_);
  DeleteRangeText(tree, rendered, start_, end_);

  Node* parent = scope_;
  Node* before = nullptr;
  if (point.textNode != nullptr) {
    parent = point.textNode->parent;
    const std::size_t length = HtmlTree::TextOf(point.textNode).size();
    if (point.offset == 0) {
      before = point.textNode;
    } else if (point.offset >= length) {
      before = point.textNode->next;
    } else {
      before = tree.SplitText(point.textNode, point.offset);
    }
  }
  const std::vector<Node*> inserted = tree.ParseFragment(Bstr::Borrowed(html));
  for (Node* node : inserted) tree.Insert(parent, before, node);

  // Everything changed lies at or after the paste point's text node, so
  // the text before it stands; without one, it all renders again.
  std::size_t kept = 0;
  if (point.textNode != nullptr) {
    Node* from = before == point.textNode && !inserted.empty() ? inserted.front() : point.textNode;
    kept = document_->TreeEditedAt(scope_, unedited, point.textNode, from).value_or(0);
  }
  // The range collapses after what was pasted.
  TextRenderer& renderer = document_->RendererOf(scope_);
  if (!inserted.empty()) renderer.RenderPast(inserted.back());
  const std::vector<RenderedText::Source>& after = renderer.Rendered().sources;
  for (std::size_t i = after.size(); i > kept; --i) {
    if (IsInside(after[i - 1].node, inserted, parent)) {
      start_ = end_ = i;
      return S_OK;
    }
  }
  renderer.RenderThrough(start_);
  start_ = end_ = std::min(start_, renderer.Rendered().text.size());
  return S_OK;
}

}  // namespace

ComPtr<IHTMLTxtRange> MakeTextRange(ComPtr<HtmlDocument> document, Node* scope) {
  TextRenderer& renderer = document->RendererOf(scope);
  renderer.RenderAll();
  const std::size_t length = renderer.Rendered().text.size();
  return Make<TextRange>(std::move(document), scope, 0, length);
}

}  // namespace platform::html
