#include "platform/html/HtmlDocument.h"

#include "platform/html/HtmlDialog.h"
#include "platform/html/HtmlJournal.h"
#include "platform/html/HtmlTestSupport.h"

namespace platform::html {
namespace {

using testing::Body;
using testing::ById;
using testing::InnerHtml;
using testing::InnerText;
using testing::LoadedDocument;

constexpr char kPage[] =
    "<html><head><title>T</title></head><body>"
    "<div id='main'><p id='first'>One</p><p id='second' name='para'>Two</p></div>"
    "<span id='twin'>a</span><span id='twin'>b</span>"
    "</body></html>";

TEST(HtmlDocument, HandsOutOneObjectPerElement) {
  auto document = LoadedDocument(kPage);
  auto first = ById(document.Get(), u"first");
  ASSERT_TRUE(first);
  ComPtr<IHTMLElement> again = ById(document.Get(), u"first");
  EXPECT_EQ(first.Get(), again.Get());
  ComPtr<IHTMLElement> parent;
  ASSERT_EQ(first->get_parentElement(parent.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(parent.Get(), ById(document.Get(), u"main").Get());
  EXPECT_FALSE(ById(document.Get(), u"missing"));

  // Only the body answers as a body.
  ComPtr<IHTMLBodyElement> notBody;
  EXPECT_EQ(first.As(&notBody), E_NOINTERFACE);
  ComPtr<IHTMLBodyElement> body;
  EXPECT_EQ(Body(document.Get()).As(&body), S_OK);
}

TEST(HtmlDocument, AllCollectionFindsByPositionIdAndTag) {
  auto document = LoadedDocument(kPage);
  ComPtr<IHTMLElementCollection> all;
  ASSERT_EQ(document->get_all(all.ReleaseAndGetAddressOf()), S_OK);
  LONG length = 0;
  ASSERT_EQ(all->get_length(&length), S_OK);
  EXPECT_EQ(length, 9);  // html head title body div p p span span

  ComPtr<IDispatch> item;
  ASSERT_EQ(all->item(Variant(LONG{0}), Variant(), item.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IHTMLElement> root;
  ASSERT_EQ(item.As(&root), S_OK);
  Bstr tag;
  root->get_tagName(tag.Receive());
  EXPECT_EQ(tag.View(), u"HTML");

  ASSERT_EQ(all->item(Variant(u"para"), Variant(), item.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IHTMLElement> byName;
  ASSERT_EQ(item.As(&byName), S_OK);
  EXPECT_EQ(InnerText(byName.Get()), u"Two");

  // Two elements share an id: a collection of them, or one by index.
  ASSERT_EQ(all->item(Variant(u"twin"), Variant(), item.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IHTMLElementCollection> twins;
  ASSERT_EQ(item.As(&twins), S_OK);
  twins->get_length(&length);
  EXPECT_EQ(length, 2);
  ASSERT_EQ(all->item(Variant(u"twin"), Variant(LONG{1}), item.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IHTMLElement> second;
  ASSERT_EQ(item.As(&second), S_OK);
  EXPECT_EQ(InnerText(second.Get()), u"b");

  ASSERT_EQ(all->item(Variant(u"none"), Variant(), item.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_FALSE(item);
  ASSERT_EQ(all->item(Variant(LONG{99}), Variant(), item.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_FALSE(item);

  ASSERT_EQ(all->tags(Variant(u"P"), item.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IHTMLElementCollection> paragraphs;
  ASSERT_EQ(item.As(&paragraphs), S_OK);
  paragraphs->get_length(&length);
  EXPECT_EQ(length, 2);
}

TEST(HtmlDocument, InnerHtmlReplacesChildrenAndOldElementsStayUsable) {
  auto document = LoadedDocument(kPage);
  auto main = ById(document.Get(), u"main");
  auto first = ById(document.Get(), u"first");
  ASSERT_EQ(main->put_innerHTML(Bstr(u"<b id='bold'>caf\u00E9</b> &amp; more").Get()), S_OK);
  EXPECT_EQ(InnerHtml(main.Get()), u"<b id=\"bold\">caf\u00E9</b> &amp; more");
  EXPECT_EQ(InnerText(main.Get()), u"caf\u00E9 & more");
  EXPECT_FALSE(ById(document.Get(), u"first"));
  // The removed paragraph is out of the page but its object still works.
  EXPECT_EQ(InnerText(first.Get()), u"One");
  ComPtr<IHTMLElement> detachedParent;
  ASSERT_EQ(first->get_parentElement(detachedParent.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_FALSE(detachedParent);
  EXPECT_EQ(first->insertAdjacentHTML(Bstr(u"afterEnd").Get(), Bstr(u"<i>x</i>").Get()),
            E_INVALIDARG);
}

TEST(HtmlDocument, InsertsAdjacentHtmlAtAllFourPositions) {
  auto document = LoadedDocument("<body><div id='target'><i>in</i></div></body>");
  auto target = ById(document.Get(), u"target");
  const struct {
    const char16_t* where;
    const char16_t* html;
  } insertions[] = {{u"beforeBegin", u"<b>1</b>"},
                    {u"afterBegin", u"<b>2</b><b>3</b>"},
                    {u"beforeend", u"<b>4</b>"},
                    {u"AFTEREND", u"<b>5</b>"}};
  for (const auto& insertion : insertions) {
    ASSERT_EQ(target->insertAdjacentHTML(Bstr(insertion.where).Get(), Bstr(insertion.html).Get()),
              S_OK);
  }
  EXPECT_EQ(InnerHtml(Body(document.Get()).Get()),
            u"<b>1</b><div id=\"target\"><b>2</b><b>3</b><i>in</i><b>4</b></div><b>5</b>");
  EXPECT_EQ(target->insertAdjacentHTML(Bstr(u"inside").Get(), Bstr(u"<b>6</b>").Get()),
            E_INVALIDARG);
  ComPtr<IHTMLElement> root;
  ASSERT_EQ(document->get_documentElement(root.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(root->insertAdjacentHTML(Bstr(u"beforeBegin").Get(), Bstr(u"<b>7</b>").Get()),
            E_INVALIDARG);
}

TEST(HtmlDocument, OuterTextReplacesTheElementByItsText) {
  auto document = LoadedDocument("<body>a <span id='mark'>&lt;b&gt;bold</span> z</body>");
  auto mark = ById(document.Get(), u"mark");
  Bstr text;
  ASSERT_EQ(mark->get_innerText(text.Receive()), S_OK);
  ASSERT_EQ(mark->put_outerText(text.Get()), S_OK);
  EXPECT_FALSE(ById(document.Get(), u"mark"));
  // Text stays text: markup characters are escaped, not parsed.
  EXPECT_EQ(InnerHtml(Body(document.Get()).Get()), u"a &lt;b&gt;bold z");
  EXPECT_EQ(Body(document.Get())->put_outerText(Bstr(u"x").Get()), E_INVALIDARG);
}

TEST(HtmlDocument, AttributesReadMissingAsNull) {
  auto document = LoadedDocument("<body><a id='link' HREF='x.htm'>x</a></body>");
  auto link = ById(document.Get(), u"link");
  Variant value;
  ASSERT_EQ(link->getAttribute(Bstr(u"href").Get(), 0, value.Receive()), S_OK);
  EXPECT_EQ(VariantText(value), u"x.htm");
  ASSERT_EQ(link->getAttribute(Bstr(u"target").Get(), 0, value.Receive()), S_OK);
  EXPECT_EQ(value.vt, VT_NULL);
  ASSERT_EQ(link->setAttribute(Bstr(u"tabindex").Get(), Variant(LONG{3}), 0), S_OK);
  ASSERT_EQ(link->getAttribute(Bstr(u"TabIndex").Get(), 0, value.Receive()), S_OK);
  EXPECT_EQ(VariantText(value), u"3");
}

SAFEARRAY* OneString(std::u16string_view text) {
  SAFEARRAY* texts = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  const LONG index = 0;
  const Variant value(text);
  SafeArrayPutElement(texts, &index, &value);
  return texts;
}

TEST(HtmlDocument, WriteBuildsADocumentWithoutBodyAndAppendsToOneWithABody) {
  auto loading = Make<HtmlDocument>(u"res://module/ad.htm");
  ComPtr<IHTMLElement> body;
  ASSERT_EQ(loading->get_body(body.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_FALSE(body);
  Bstr state;
  loading->get_readyState(state.Receive());
  EXPECT_EQ(state.View(), u"loading");

  SAFEARRAY* first = OneString(u"<div id='ads'>first</div>");
  ASSERT_EQ(loading->write(first), S_OK);
  SafeArrayDestroy(first);
  SAFEARRAY* second = OneString(u"<p>second</p>");
  ASSERT_EQ(loading->write(second), S_OK);
  SafeArrayDestroy(second);
  EXPECT_EQ(InnerText(Body(loading.Get()).Get()), u"first\r\nsecond");

  auto complete = LoadedDocument("<body><p>page</p></body>");
  SAFEARRAY* more = OneString(u"<p>more</p>");
  ASSERT_EQ(complete->write(more), S_OK);
  SafeArrayDestroy(more);
  EXPECT_EQ(InnerText(Body(complete.Get()).Get()), u"page\r\nmore");
  EXPECT_EQ(complete->write(nullptr), E_INVALIDARG);
}

TEST(HtmlDocument, FramesKnowTheirWindowsAndScriptsAreRecorded) {
  ClearHtmlJournal();
  auto top = LoadedDocument("<frameset><frame src='left.htm'><frame src='right.htm'></frameset>",
                            u"http://top/");
  const auto frameElements = top->FrameElements();
  ASSERT_EQ(frameElements.size(), 2u);
  EXPECT_EQ(frameElements[1].source, u"right.htm");
  auto left = LoadedDocument("<body>left<iframe src='inner.htm'></iframe></body>", u"http://left/");
  auto right = LoadedDocument("<body>right</body>", u"http://right/");
  auto inner = LoadedDocument("<body>inner</body>", u"http://inner/");
  top->AttachFrame(ComPtr<IUnknown>(static_cast<IHTMLDocument2*>(left.Get())), left);
  top->AttachFrame(ComPtr<IUnknown>(static_cast<IHTMLDocument2*>(right.Get())), right);
  left->AttachFrame(ComPtr<IUnknown>(static_cast<IHTMLDocument2*>(inner.Get())), inner);

  // From the innermost window up to the top document.
  ComPtr<IHTMLWindow2> innerWindow;
  ASSERT_EQ(inner->get_parentWindow(innerWindow.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IHTMLWindow2> topWindow;
  ASSERT_EQ(innerWindow->get_top(topWindow.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IHTMLDocument2> topDocument;
  ASSERT_EQ(topWindow->get_document(topDocument.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(topDocument.Get(), static_cast<IHTMLDocument2*>(top.Get()));

  ComPtr<IHTMLFramesCollection2> frames;
  ASSERT_EQ(top->get_frames(frames.ReleaseAndGetAddressOf()), S_OK);
  LONG length = 0;
  frames->get_length(&length);
  EXPECT_EQ(length, 2);
  Variant index(LONG{1});
  Variant frame;
  ASSERT_EQ(frames->item(&index, frame.Receive()), S_OK);
  ComPtr<IHTMLWindow2> rightWindow;
  ASSERT_EQ(frame.pdispVal->QueryInterface(IID_PPV_ARGS(rightWindow.ReleaseAndGetAddressOf())),
            S_OK);
  Variant none;
  ASSERT_EQ(rightWindow->execScript(Bstr(u"orvane_main();").Get(), Bstr(u"javascript").Get(),
                                    none.Receive()),
            S_OK);
  Variant outside(LONG{2});
  EXPECT_EQ(frames->item(&outside, frame.Receive()), E_INVALIDARG);

  ComPtr<IEnumUnknown> embedded;
  ASSERT_EQ(top->EnumObjects(OLECONTF_EMBEDDINGS, embedded.ReleaseAndGetAddressOf()), S_OK);
  IUnknown* items[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(embedded->Next(3, items, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 2u);
  for (ULONG i = 0; i < fetched; ++i) items[i]->Release();

  const HtmlJournal journal = RecordedHtml();
  ASSERT_EQ(journal.scripts.size(), 1u);
  EXPECT_EQ(journal.scripts[0].documentUrl, u"http://right/");
  EXPECT_EQ(journal.scripts[0].code, u"orvane_main();");
  EXPECT_EQ(journal.scripts[0].language, u"javascript");
}

TEST(HtmlDialog, RecordsEachDialogAndAnswersAsScripted) {
  ClearHtmlJournal();
  SetHtmlDialogResponder([](const HtmlDialogRequest& request, VARIANT* result) {
    *static_cast<Variant*>(result) = Variant(request.url + u"!");
    return S_OK;
  });
  SHOWHTMLDIALOGFN* show = LoadShowHTMLDialog();
  ASSERT_NE(show, nullptr);
  ComPtr<IMoniker> moniker;
  ASSERT_EQ(
      CreateURLMoniker(nullptr, u"file://c:/toolbar/about.htm", moniker.ReleaseAndGetAddressOf()),
      S_OK);
  std::u16string options = u"dialogHeight:160px;dialogWidth:340px;status=no;help=off";
  Variant result;
  ASSERT_EQ(
      show(reinterpret_cast<HWND>(0x42), moniker.Get(), nullptr, options.data(), result.Receive()),
      S_OK);
  EXPECT_EQ(VariantText(result), u"file://c:/toolbar/about.htm!");
  const HtmlJournal journal = RecordedHtml();
  ASSERT_EQ(journal.dialogs.size(), 1u);
  EXPECT_EQ(journal.dialogs[0].options, options);
  EXPECT_EQ(journal.dialogs[0].owner, reinterpret_cast<void*>(0x42));
  EXPECT_FALSE(journal.dialogs[0].hadArgument);

  SetHtmlDialogAvailable(false);
  EXPECT_EQ(LoadShowHTMLDialog(), nullptr);
  SetHtmlDialogAvailable(true);
  SetHtmlDialogResponder(nullptr);
}

}  // namespace
}  // namespace platform::html
