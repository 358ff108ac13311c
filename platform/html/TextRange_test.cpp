#include "platform/html/HtmlJournal.h"
#include "platform/html/HtmlTestSupport.h"

namespace platform::html {
namespace {

using testing::Body;
using testing::InnerHtml;
using testing::InnerText;
using testing::LoadedDocument;

constexpr LONG kForward = 1000000;
constexpr LONG kBackward = -1000000;

// A page whose words are spread over several elements and blocks.
constexpr char kPage[] =
    "<html><body><h1>Find <b>me</b></h1>"
    "<p>Fi<i>nd</i> me again, find ME<script>find('me')</script> here.</p>"
    "<div>The Finder finds.</div></body></html>";

class TextRangeTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearHtmlJournal(); }

  ComPtr<IHTMLTxtRange> WholeBody() {
    ComPtr<IHTMLBodyElement> body;
    EXPECT_EQ(Body(document_.Get()).As(&body), S_OK);
    ComPtr<IHTMLTxtRange> range;
    EXPECT_EQ(body->createTextRange(range.ReleaseAndGetAddressOf()), S_OK);
    return range;
  }
  static bool Find(IHTMLTxtRange* range, std::u16string_view text, LONG count, LONG flags = 0) {
    VARIANT_BOOL found = VARIANT_FALSE;
    EXPECT_EQ(range->findText(Bstr(text).Get(), count, flags, &found), S_OK);
    return found != VARIANT_FALSE;
  }
  static std::u16string Text(IHTMLTxtRange* range) {
    Bstr text;
    EXPECT_EQ(range->get_text(text.Receive()), S_OK);
    return text.String();
  }
  // Where the range starts, in characters of the body's text, found by
  // walking a collapsed range forward until it reaches it.
  LONG Start(IHTMLTxtRange* range) {
    ComPtr<IHTMLTxtRange> walker = WholeBody();
    walker->collapse(VARIANT_TRUE);
    LONG distance = 0;
    LONG order = -1;
    LONG moved = 0;
    while (distance < 1000 &&
           SUCCEEDED(walker->compareEndPoints(Bstr(u"StartToStart").Get(), range, &order)) &&
           order < 0) {
      walker->move(Bstr(u"character").Get(), 1, &moved);
      ++distance;
    }
    return distance;
  }

  ComPtr<HtmlDocument> document_ = LoadedDocument(kPage);
};

TEST_F(TextRangeTest, BodyTextIsWhatTheUserSees) {
  EXPECT_EQ(Text(WholeBody().Get()),
            u"Find me\r\nFind me again, find ME here.\r\nThe Finder finds.");
}

TEST_F(TextRangeTest, FindsForwardFromACursorAcrossElements) {
  auto range = WholeBody();
  std::vector<LONG> starts;
  while (Find(range.Get(), u"find", kForward)) {
    EXPECT_EQ(Text(range.Get()).size(), 4u);
    starts.push_back(Start(range.Get()));
    range->collapse(VARIANT_FALSE);
  }
  // "Find", "Fi<i>nd</i>", "find", "Finder", "finds"; the script's text is
  // not page text.
  EXPECT_EQ(starts, (std::vector<LONG>{0, 9, 24, 43, 50}));
}

TEST_F(TextRangeTest, FindsBackwardFromACursor) {
  auto range = WholeBody();
  range->collapse(VARIANT_FALSE);
  std::vector<std::u16string> found;
  while (Find(range.Get(), u"me", kBackward)) {
    found.push_back(Text(range.Get()));
    range->collapse(VARIANT_TRUE);
  }
  EXPECT_EQ(found, (std::vector<std::u16string>{u"ME", u"me", u"me"}));
}

TEST_F(TextRangeTest, HonoursCaseAndWholeWordFlags) {
  struct Case {
    const char16_t* pattern;
    LONG flags;
    int matches;
  };
  const Case cases[] = {
      {u"me", 0, 3},
      {u"ME", FINDTEXT_MATCHCASE, 1},
      {u"find", FINDTEXT_WHOLEWORD, 3},
      {u"Find", FINDTEXT_WHOLEWORD | FINDTEXT_MATCHCASE, 2},
      {u"find me", 0, 3},
      {u"me\r\nfind", 0, 1},
      {u"absent", 0, 0},
      {u"", 0, 0},
  };
  for (const Case& c : cases) {
    auto range = WholeBody();
    int matches = 0;
    while (matches < 10 && Find(range.Get(), c.pattern, kForward, c.flags)) {
      ++matches;
      range->collapse(VARIANT_FALSE);
    }
    EXPECT_EQ(matches, c.matches) << "case " << (&c - cases);
  }
}

TEST_F(TextRangeTest, ACursorAtTheEndFindsNothingUntilTheCallerWraps) {
  auto range = WholeBody();
  ASSERT_TRUE(Find(range.Get(), u"finds", kForward));
  range->collapse(VARIANT_FALSE);
  EXPECT_FALSE(Find(range.Get(), u"find", kForward));
  // A failed search leaves the range where it was.
  EXPECT_EQ(Text(range.Get()), u"");
  LONG moved = 0;
  range->move(Bstr(u"textedit").Get(), -1, &moved);
  EXPECT_EQ(moved, -1);
  EXPECT_TRUE(Find(range.Get(), u"find", kForward));
  EXPECT_EQ(Start(range.Get()), 0);
}

TEST_F(TextRangeTest, SelectAndScrollAreRecordedWithTheRangeText) {
  auto range = WholeBody();
  ASSERT_TRUE(Find(range.Get(), u"again", kForward));
  ASSERT_EQ(range->select(), S_OK);
  ASSERT_EQ(range->scrollIntoView(VARIANT_TRUE), S_OK);
  const HtmlJournal journal = RecordedHtml();
  ASSERT_EQ(journal.rangeActions.size(), 2u);
  EXPECT_EQ(journal.rangeActions[0].kind, RangeAction::Kind::kSelect);
  EXPECT_EQ(journal.rangeActions[0].text, u"again");
  EXPECT_EQ(journal.rangeActions[0].start, 17);
  EXPECT_EQ(journal.rangeActions[1].kind, RangeAction::Kind::kScrollIntoView);
  EXPECT_EQ(journal.rangeActions[1].documentUrl, u"http://127.0.0.1/page.htm");
}

TEST_F(TextRangeTest, PastingOverEveryMatchHighlightsAndCanBeUndone) {
  auto range = WholeBody();
  int pasted = 0;
  while (pasted < 10 && Find(range.Get(), u"find", kForward)) {
    Bstr text;
    range->get_text(text.Receive());
    const std::u16string span =
        u"<span id='mark' style='background-color:#f8bf24;'>" + text.String() + u"</span>";
    ASSERT_EQ(range->pasteHTML(Bstr(span).Get()), S_OK);
    ++pasted;
  }
  // Each paste collapses the range after itself, so no match is found twice.
  EXPECT_EQ(pasted, 5);
  ComPtr<IHTMLElement> body = Body(document_.Get());
  EXPECT_EQ(InnerText(body.Get()), u"Find me\r\nFind me again, find ME here.\r\nThe Finder finds.");
  const std::u16string html = InnerHtml(body.Get());
  EXPECT_NE(html.find(u"<p><span id=\"mark\" style=\"background-color:#f8bf24;\">Find</span>"),
            std::u16string::npos)
      << std::string(html.begin(), html.end());

  // Undo: every marker is replaced by its own text.
  ComPtr<IHTMLElementCollection> all;
  ASSERT_EQ(document_->get_all(all.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IDispatch> marker;
  int removed = 0;
  while (
      removed < 10 &&
      SUCCEEDED(all->item(Variant(u"mark"), Variant(LONG{0}), marker.ReleaseAndGetAddressOf())) &&
      marker) {
    ComPtr<IHTMLElement> element;
    ASSERT_EQ(marker.As(&element), S_OK);
    Bstr text;
    element->get_innerText(text.Receive());
    ASSERT_EQ(element->put_outerText(text.Get()), S_OK);
    ++removed;
    ASSERT_EQ(document_->get_all(all.ReleaseAndGetAddressOf()), S_OK);
  }
  EXPECT_EQ(removed, 5);
  EXPECT_EQ(InnerText(body.Get()), u"Find me\r\nFind me again, find ME here.\r\nThe Finder finds.");
}

TEST_F(TextRangeTest, PastedMarkupInAMatchDoesNotSwallowTheRest) {
  auto range = WholeBody();
  ASSERT_TRUE(Find(range.Get(), u"again", kForward));
  ASSERT_EQ(range->pasteHTML(Bstr(u"<em>once more</em>").Get()), S_OK);
  EXPECT_EQ(Text(WholeBody().Get()),
            u"Find me\r\nFind me once more, find ME here.\r\nThe Finder finds.");
  // The range sits right after the pasted text.
  EXPECT_TRUE(Find(range.Get(), u"me", kForward));
  EXPECT_EQ(Text(range.Get()), u"ME");
}

// Ranges keep the rendered text between calls; every way of changing the
// page must make them read it again.
TEST_F(TextRangeTest, SeesEditsMadeOutsideTheRange) {
  auto range = WholeBody();
  ASSERT_TRUE(Find(range.Get(), u"Finder", kForward));
  ComPtr<IHTMLElement> body = Body(document_.Get());

  ASSERT_EQ(body->insertAdjacentHTML(Bstr(u"beforeEnd").Get(), Bstr(u"<p>Tail</p>").Get()), S_OK);
  range->collapse(VARIANT_FALSE);
  EXPECT_TRUE(Find(range.Get(), u"Tail", kForward));

  ASSERT_EQ(body->put_innerHTML(Bstr(u"<p>Only <b>this</b> now</p>").Get()), S_OK);
  auto fresh = WholeBody();
  EXPECT_EQ(Text(fresh.Get()), u"Only this now");
  EXPECT_FALSE(Find(range.Get(), u"Finder", 0));

  ASSERT_EQ(body->put_innerText(Bstr(u"Plain words").Get()), S_OK);
  EXPECT_EQ(Text(WholeBody().Get()), u"Plain words");
}

// A range renders the page only as far as it reads and a paste renders
// again only from where it edited; what it then reads must be what a
// rendering of the whole edited page says, wherever the paste lands.
class PasteRenderingTest : public ::testing::Test {
 protected:
  static ComPtr<IHTMLTxtRange> WholeBodyOf(HtmlDocument* document) {
    ComPtr<IHTMLBodyElement> body;
    EXPECT_EQ(Body(document).As(&body), S_OK);
    ComPtr<IHTMLTxtRange> range;
    EXPECT_EQ(body->createTextRange(range.ReleaseAndGetAddressOf()), S_OK);
    return range;
  }
  static std::u16string TextOf(IHTMLTxtRange* range) {
    Bstr text;
    EXPECT_EQ(range->get_text(text.Receive()), S_OK);
    return text.String();
  }
  // Where a collapsed range stands: the length of the text before it.
  static std::size_t Offset(HtmlDocument* document, IHTMLTxtRange* range) {
    ComPtr<IHTMLTxtRange> before = WholeBodyOf(document);
    EXPECT_EQ(before->setEndPoint(Bstr(u"EndToStart").Get(), range), S_OK);
    return TextOf(before.Get()).size();
  }
};

TEST_F(PasteRenderingTest, EveryPasteReadsAsAFreshRenderingOfThePage) {
  const std::string longRun(3000, 'x');
  const std::string page =
      "<body><h1>Word <b>word</b></h1><p>  word\t\n word  </p><pre>a word\n  word </pre>"
      "<table><tr><td>word</td><td> word</td></tr></table>one<br>word&nbsp;word<script>word</"
      "script><div>" +
      longRun + " word " + longRun + "  word   " + longRun + "</div><i>wo</i>rd word</body>";
  struct Case {
    const char16_t* pattern;
    const char16_t* html;
  };
  const Case cases[] = {
      {u"word", u"<span id='m'>word</span>"},
      {u"word", u"<span>WORD</span> "},
      {u"word", u" <div>block</div> "},
      {u"word ", u"<b>w</b>"},
      {u" word", u""},
      {u"o", u"<br>"},
      {u"word", u"<script>hidden</script>"},
  };
  for (const Case& c : cases) {
    auto document = LoadedDocument(page);
    auto range = WholeBodyOf(document.Get());
    range->collapse(VARIANT_TRUE);
    int pastes = 0;
    VARIANT_BOOL found = VARIANT_FALSE;
    while (pastes < 100 &&
           SUCCEEDED(range->findText(Bstr(c.pattern).Get(), 0x3FFFFFFF, 0, &found)) &&
           found != VARIANT_FALSE) {
      const std::size_t start = Offset(document.Get(), range.Get());
      ASSERT_EQ(range->pasteHTML(Bstr(c.html).Get()), S_OK);
      ++pastes;
      const std::u16string fresh = InnerText(Body(document.Get()).Get());
      ASSERT_EQ(TextOf(WholeBodyOf(document.Get()).Get()), fresh)
          << "case " << (&c - cases) << ", paste " << pastes;
      const std::size_t at = Offset(document.Get(), range.Get());
      // Never before where the paste began (unless the text got shorter
      // than that), so a search goes on past it.
      ASSERT_GE(at, std::min(start, fresh.size()))
          << "case " << (&c - cases) << ", paste " << pastes;
      ASSERT_LE(at, fresh.size());
    }
    EXPECT_GT(pastes, 5) << "case " << (&c - cases);
  }
}

TEST_F(PasteRenderingTest, TheRangeCollapsesAfterWhatWasPasted) {
  struct Case {
    const char* page;
    const char16_t* pattern;
    const char16_t* html;
    const char16_t* textAfter;  // of the body, the range's place marked |
  };
  const Case cases[] = {
      {"<body>a word b</body>", u"word", u"<span>X</span>", u"a X| b"},
      {"<body>a word b</body>", u"word", u"<span>X </span>", u"a X |b"},
      {"<body><b>word</b> b</body>", u"word", u"<span>X</span>", u"X| b"},
      {"<body>a <b>word</b></body>", u"word", u"<p>X</p>", u"a\r\nX|"},
      {"<body>a word b</body>", u"word", u"", u"a |b"},
  };
  for (const Case& c : cases) {
    auto document = LoadedDocument(c.page);
    auto range = WholeBodyOf(document.Get());
    VARIANT_BOOL found = VARIANT_FALSE;
    ASSERT_EQ(range->findText(Bstr(c.pattern).Get(), 0, 0, &found), S_OK);
    ASSERT_EQ(found, VARIANT_TRUE);
    ASSERT_EQ(range->pasteHTML(Bstr(c.html).Get()), S_OK);
    std::u16string text = InnerText(Body(document.Get()).Get());
    text.insert(Offset(document.Get(), range.Get()), u"|");
    EXPECT_EQ(text, c.textAfter) << "case " << (&c - cases);
  }
}

TEST_F(TextRangeTest, EndPointsAndComparisons) {
  auto whole = WholeBody();
  auto part = WholeBody();
  ASSERT_TRUE(Find(part.Get(), u"again", kForward));
  VARIANT_BOOL answer = VARIANT_FALSE;
  whole->inRange(part.Get(), &answer);
  EXPECT_EQ(answer, VARIANT_TRUE);
  part->inRange(whole.Get(), &answer);
  EXPECT_EQ(answer, VARIANT_FALSE);
  ASSERT_EQ(whole->setEndPoint(Bstr(u"EndToEnd").Get(), part.Get()), S_OK);
  EXPECT_EQ(Text(whole.Get()), u"Find me\r\nFind me again");
  EXPECT_EQ(whole->setEndPoint(Bstr(u"Middle").Get(), part.Get()), E_INVALIDARG);
  LONG moved = 0;
  ASSERT_EQ(part->moveEnd(Bstr(u"character").Get(), 5, &moved), S_OK);
  EXPECT_EQ(Text(part.Get()), u"again, fin");
  EXPECT_EQ(part->moveEnd(Bstr(u"word").Get(), 1, &moved), E_INVALIDARG);
  ComPtr<IHTMLElement> parent;
  ASSERT_EQ(part->parentElement(parent.ReleaseAndGetAddressOf()), S_OK);
  Bstr tag;
  parent->get_tagName(tag.Receive());
  EXPECT_EQ(tag.View(), u"P");
}

}  // namespace
}  // namespace platform::html
