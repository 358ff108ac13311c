#include "platform/browser/BrowserObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/activation/Activation.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/clock/Clock.h"
#include "platform/com/ComInit.h"
#include "platform/files/FileSystem.h"
#include "platform/resources/ModuleResources.h"
#include "platform/text/CodePage.h"

namespace platform {
namespace {

// A DWebBrowserEvents2 sink that logs "id url" (frames marked) and can act
// on an event.
class EventLog final : public DispatchObject<DWebBrowserEvents2> {
 public:
  explicit EventLog(IWebBrowser2* top) : top_(top) {}

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    std::string entry = std::to_string(id);
    if (params->cArgs > 0) {
      // The first argument (last in rgvarg) is the browser the event is about.
      const VARIANT& about = params->rgvarg[params->cArgs - 1];
      ComPtr<IWebBrowser2> browser;
      about.pdispVal->QueryInterface(IID_PPV_ARGS(browser.ReleaseAndGetAddressOf()));
      entry += browser.Get() == top_ ? " top " : " frame ";
      entry += WideToUtf8(VariantText(params->rgvarg[params->cArgs - 2]).value_or(u"?"));
    }
    entries.push_back(entry);
    if (onEvent) onEvent(id, params);
    return S_OK;
  }

  std::vector<std::string> entries;
  std::function<void(DISPID, DISPPARAMS*)> onEvent;

 private:
  IWebBrowser2* top_;
};

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeDirectories("C:\\Pages"));
    ASSERT_TRUE(WriteWholeFile("C:\\Pages\\top.htm",
                               "<html><body><p>Top page</p>"
                               "<iframe name='side' src='side.htm'></iframe>"
                               "<iframe src='/Pages/other.htm'></iframe></body></html>"));
    ASSERT_TRUE(WriteWholeFile("C:\\Pages\\side.htm", "<body>Side <b>text</b></body>"));
    ASSERT_TRUE(WriteWholeFile("C:\\Pages\\other.htm", "<body>Other</body>"));
    ASSERT_TRUE(WriteWholeFile("C:\\Pages\\plain.htm", "<body>Plain</body>"));
    sink_ = Make<EventLog>(browser_.Get());
    ASSERT_EQ(AtlAdvise(static_cast<IWebBrowser2*>(browser_.Get()), sink_.Get(),
                        DIID_DWebBrowserEvents2, &cookie_),
              S_OK);
  }
  void TearDown() override { browser_->Quit(); }

  HRESULT Go(std::u16string_view url) {
    return browser_->Navigate(Bstr(url).Get(), nullptr, nullptr, nullptr, nullptr);
  }
  std::u16string Location() {
    Bstr url;
    EXPECT_EQ(browser_->get_LocationURL(url.Receive()), S_OK);
    return url.String();
  }
  std::u16string BodyText() {
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(browser_->get_Document(dispatch.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IHTMLDocument2> document;
    EXPECT_EQ(dispatch.As(&document), S_OK);
    ComPtr<IHTMLElement> body;
    document->get_body(body.ReleaseAndGetAddressOf());
    if (!body) return u"<no body>";
    Bstr text;
    body->get_innerText(text.Receive());
    return text.String();
  }

  ScopedFileSystemRoot root_;
  ScopedComInit com_;
  ComPtr<BrowserObject> browser_ = CreateBrowserWindow();
  ComPtr<EventLog> sink_;
  DWORD cookie_ = 0;
};

TEST_F(BrowserTest, RaisesNavigationEventsInOrderWithFramesDepthFirst) {
  ASSERT_EQ(Go(u"file:///C:/Pages/top.htm"), S_OK);
  EXPECT_EQ(sink_->entries, (std::vector<std::string>{
                                "250 top file:///C:/Pages/top.htm",
                                "106",
                                "252 top file:///C:/Pages/top.htm",
                                "250 frame C:\\Pages\\side.htm",
                                "252 frame C:\\Pages\\side.htm",
                                "259 frame C:\\Pages\\side.htm",
                                "250 frame C:\\Pages\\other.htm",
                                "252 frame C:\\Pages\\other.htm",
                                "259 frame C:\\Pages\\other.htm",
                                "104",
                                "259 top file:///C:/Pages/top.htm",
                            }));
  EXPECT_EQ(BodyText(), u"Top page");
  html::HtmlDocument* document = browser_->Document();
  ASSERT_EQ(document->FrameCount(), 2u);
  ComPtr<IHTMLElement> frameBody;
  ASSERT_EQ(document->FrameDocument(0)->get_body(frameBody.ReleaseAndGetAddressOf()), S_OK);
  Bstr text;
  frameBody->get_innerText(text.Receive());
  EXPECT_EQ(text.View(), u"Side text");
  VARIANT_BOOL busy = VARIANT_TRUE;
  READYSTATE state = READYSTATE_UNINITIALIZED;
  browser_->get_Busy(&busy);
  browser_->get_ReadyState(&state);
  EXPECT_EQ(busy, VARIANT_FALSE);
  EXPECT_EQ(state, READYSTATE_COMPLETE);
}

// Walks a document's frames the way toolbars do on Windows: the document's
// embedded objects are the frames' browsers, each with its own document.
std::vector<std::u16string> FrameBodies(IDispatch* documentDispatch) {
  std::vector<std::u16string> bodies;
  ComPtr<IOleContainer> container;
  if (FAILED(documentDispatch->QueryInterface(IID_PPV_ARGS(container.ReleaseAndGetAddressOf())))) {
    return bodies;
  }
  ComPtr<IEnumUnknown> objects;
  container->EnumObjects(OLECONTF_EMBEDDINGS, objects.ReleaseAndGetAddressOf());
  IUnknown* object = nullptr;
  while (objects->Next(1, &object, nullptr) == S_OK) {
    ComPtr<IUnknown> held;
    held.Attach(object);
    ComPtr<IWebBrowser2> frame;
    ComPtr<IDispatch> frameDocument;
    if (FAILED(held.As(&frame)) ||
        FAILED(frame->get_Document(frameDocument.ReleaseAndGetAddressOf()))) {
      continue;
    }
    for (const auto& inner : FrameBodies(frameDocument.Get())) bodies.push_back(inner);
    ComPtr<IHTMLDocument2> html;
    ComPtr<IHTMLElement> body;
    frameDocument.As(&html);
    html->get_body(body.ReleaseAndGetAddressOf());
    Bstr text;
    body->get_innerText(text.Receive());
    bodies.push_back(text.String());
  }
  return bodies;
}

TEST_F(BrowserTest, FrameBrowsersHandOutTheirDocumentsEvenAfterNavigatingAlone) {
  ASSERT_TRUE(WriteWholeFile("C:\\Pages\\nested.htm",
                             "<frameset><frame src='top.htm'><frame src='plain.htm'></frameset>"));
  ASSERT_EQ(Go(u"C:\\Pages\\nested.htm"), S_OK);
  ComPtr<IDispatch> document;
  ASSERT_EQ(browser_->get_Document(document.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(FrameBodies(document.Get()),
            (std::vector<std::u16string>{u"Side text", u"Other", u"Top page", u"Plain"}));

  Variant url(u"C:\\Pages\\other.htm");
  Variant target(u"side");
  ASSERT_EQ(browser_->Navigate2(&url, nullptr, &target, nullptr, nullptr), S_OK);
  EXPECT_EQ(FrameBodies(document.Get()),
            (std::vector<std::u16string>{u"Other", u"Other", u"Top page", u"Plain"}));
}

std::size_t BeforeNavigateCount(const std::vector<std::string>& entries) {
  return static_cast<std::size_t>(std::count_if(
      entries.begin(), entries.end(), [](const auto& e) { return e.rfind("250 ", 0) == 0; }));
}

TEST_F(BrowserTest, APageThatFramesItselfStopsNestingAndStillLoads) {
  ASSERT_TRUE(
      WriteWholeFile("C:\\Pages\\self.htm", "<body>Me<iframe src='self.htm'></iframe></body>"));
  ASSERT_EQ(Go(u"C:\\Pages\\self.htm"), S_OK);
  // The top page and eight frames inside each other; the ninth is left empty.
  EXPECT_EQ(BeforeNavigateCount(sink_->entries), 1u + 8u);
  EXPECT_EQ(sink_->entries.back().rfind("259 top", 0), 0u) << sink_->entries.back();
  ComPtr<IDispatch> document;
  ASSERT_EQ(browser_->get_Document(document.ReleaseAndGetAddressOf()), S_OK);
  const auto bodies = FrameBodies(document.Get());
  EXPECT_EQ(std::count(bodies.begin(), bodies.end(), u"Me"), 8);
}

TEST_F(BrowserTest, APageLoadsAtMostAHundredFrames) {
  std::string page = "<body>Many";
  for (int i = 0; i < 150; ++i) page += "<iframe src='plain.htm'></iframe>";
  ASSERT_TRUE(WriteWholeFile("C:\\Pages\\many.htm", page + "</body>"));
  ASSERT_EQ(Go(u"C:\\Pages\\many.htm"), S_OK);
  EXPECT_EQ(BeforeNavigateCount(sink_->entries), 1u + 100u);
  ComPtr<IDispatch> document;
  ASSERT_EQ(browser_->get_Document(document.ReleaseAndGetAddressOf()), S_OK);
  const auto bodies = FrameBodies(document.Get());
  EXPECT_EQ(std::count(bodies.begin(), bodies.end(), u"Plain"), 100);
  EXPECT_EQ(bodies.size(), 150u);  // the frames past the limit are empty pages
}

TEST_F(BrowserTest, CancelInBeforeNavigateStopsTheNavigation) {
  ASSERT_EQ(Go(u"C:\\Pages\\plain.htm"), S_OK);
  sink_->entries.clear();
  sink_->onEvent = [](DISPID id, DISPPARAMS* params) {
    if (id == DISPID_BEFORENAVIGATE2) *params->rgvarg[0].pboolVal = VARIANT_TRUE;
  };
  ASSERT_EQ(Go(u"C:\\Pages\\top.htm"), S_OK);
  EXPECT_EQ(sink_->entries, (std::vector<std::string>{"250 top C:\\Pages\\top.htm"}));
  EXPECT_EQ(Location(), u"C:\\Pages\\plain.htm");
  EXPECT_EQ(BodyText(), u"Plain");
  ASSERT_EQ(browser_->Navigations().size(), 2u);
  EXPECT_TRUE(browser_->Navigations()[1].cancelled);
  EXPECT_FALSE(browser_->Navigations()[0].cancelled);
}

TEST_F(BrowserTest, SinksMayUnadviseOrNavigateFromInsideAnEvent) {
  auto second = Make<EventLog>(browser_.Get());
  DWORD secondCookie = 0;
  ASSERT_EQ(AtlAdvise(static_cast<IWebBrowser2*>(browser_.Get()), second.Get(),
                      DIID_DWebBrowserEvents2, &secondCookie),
            S_OK);
  EXPECT_EQ(browser_->EventSinkCount(), 2u);
  // The first sink drops the second one on the first event; the second
  // must then see nothing of this navigation.
  sink_->onEvent = [&](DISPID id, DISPPARAMS*) {
    if (id == DISPID_BEFORENAVIGATE2 && secondCookie != 0) {
      EXPECT_EQ(AtlUnadvise(static_cast<IWebBrowser2*>(browser_.Get()), DIID_DWebBrowserEvents2,
                            secondCookie),
                S_OK);
      secondCookie = 0;
    }
  };
  ASSERT_EQ(Go(u"C:\\Pages\\plain.htm"), S_OK);
  EXPECT_TRUE(second->entries.empty());

  // A navigation started from inside NavigateComplete2 supersedes the one
  // being delivered: its DocumentComplete never comes.
  sink_->entries.clear();
  bool redirected = false;
  sink_->onEvent = [&](DISPID id, DISPPARAMS*) {
    if (id == DISPID_NAVIGATECOMPLETE2 && !redirected) {
      redirected = true;
      Go(u"C:\\Pages\\other.htm");
    }
  };
  ASSERT_EQ(Go(u"C:\\Pages\\side.htm"), S_OK);
  EXPECT_EQ(sink_->entries,
            (std::vector<std::string>{"250 top C:\\Pages\\side.htm", "106",
                                      "252 top C:\\Pages\\side.htm", "250 top C:\\Pages\\other.htm",
                                      "106", "252 top C:\\Pages\\other.htm", "104",
                                      "259 top C:\\Pages\\other.htm"}));
  EXPECT_EQ(BodyText(), u"Other");
}

TEST_F(BrowserTest, RecordsNavigationArgumentsAndOpensNoNewWindows) {
  ASSERT_EQ(Go(u"C:\\Pages\\top.htm"), S_OK);
  Variant url(u"C:\\Pages\\plain.htm");
  Variant newWindow(LONG{navOpenInNewWindow});
  ASSERT_EQ(browser_->Navigate2(&url, &newWindow, nullptr, nullptr, nullptr), S_OK);
  Variant empty;
  Variant target(u"side");
  Variant headers(u"X-Test: 1\r\n");
  ASSERT_EQ(browser_->Navigate2(&url, &empty, &target, &empty, &headers), S_OK);

  const auto& navigations = browser_->Navigations();
  ASSERT_EQ(navigations.size(), 3u);
  EXPECT_EQ(navigations[0].flags, std::nullopt);
  EXPECT_EQ(navigations[1].flags, navOpenInNewWindow);
  EXPECT_TRUE(navigations[1].newWindow);
  EXPECT_EQ(navigations[2].targetFrame, u"side");
  EXPECT_EQ(navigations[2].headers, u"X-Test: 1\r\n");
  EXPECT_FALSE(navigations[2].newWindow);
  // The named frame navigated; the top page stayed.
  EXPECT_EQ(Location(), u"C:\\Pages\\top.htm");
  ComPtr<IHTMLElement> frameBody;
  browser_->Document()->FrameDocument(0)->get_body(frameBody.ReleaseAndGetAddressOf());
  Bstr text;
  frameBody->get_innerText(text.Receive());
  EXPECT_EQ(text.View(), u"Plain");
}

TEST_F(BrowserTest, LoadsBlankResourceAndMissingPages) {
  ASSERT_EQ(Go(u"about:blank"), S_OK);
  EXPECT_EQ(BodyText(), u"");
  ScopedModuleResources resources(
      {{"HTML", "AD.HTM", 0, "<body><div id='loading'>Wait</div></body>"}});
  ASSERT_EQ(Go(Utf8ToWide("res://" + ModuleFilePath() + "/ad.htm")), S_OK);
  EXPECT_EQ(BodyText(), u"Wait");
  ASSERT_EQ(Go(u"C:\\Pages\\missing.htm"), S_OK);
  EXPECT_EQ(BodyText(), u"The page cannot be displayed");
  EXPECT_EQ(sink_->entries.back(), "259 top C:\\Pages\\missing.htm");
}

TEST_F(BrowserTest, AHeldPageStaysLoadingWhateverTheClockSays) {
  VirtualClock clock;
  browser_->HoldPageLoading(true);
  ASSERT_EQ(Go(u"C:\\Pages\\plain.htm"), S_OK);
  EXPECT_EQ(sink_->entries.back(), "252 top C:\\Pages\\plain.htm");
  EXPECT_EQ(BodyText(), u"<no body>");

  // A caller waiting for the page on the product's clock gives up after
  // 5000 ms with the page still loading.
  const std::uint64_t start = TickCount64();
  VARIANT_BOOL busy = VARIANT_FALSE;
  READYSTATE state = READYSTATE_UNINITIALIZED;
  while (TickCount64() - start < 5000) {
    browser_->get_Busy(&busy);
    browser_->get_ReadyState(&state);
    if (busy == VARIANT_FALSE && state == READYSTATE_COMPLETE) break;
    clock.Advance(250);
  }
  EXPECT_EQ(busy, VARIANT_TRUE);
  EXPECT_EQ(state, READYSTATE_LOADING);

  browser_->FinishLoading();
  browser_->get_Busy(&busy);
  browser_->get_ReadyState(&state);
  EXPECT_EQ(busy, VARIANT_FALSE);
  EXPECT_EQ(state, READYSTATE_COMPLETE);
  EXPECT_EQ(BodyText(), u"Plain");
  EXPECT_EQ(sink_->entries.back(), "259 top C:\\Pages\\plain.htm");
}

TEST_F(BrowserTest, QuitTellsTheSinksOnceAndRefusesFurtherNavigation) {
  ASSERT_EQ(browser_->Quit(), S_OK);
  ASSERT_EQ(browser_->Quit(), S_OK);
  EXPECT_EQ(sink_->entries, (std::vector<std::string>{"253"}));
  EXPECT_TRUE(browser_->HasQuit());
  EXPECT_EQ(Go(u"about:blank"), E_FAIL);
}

TEST_F(BrowserTest, ServesTheWebBrowserControlClassAndItsProperties) {
  ComPtr<IWebBrowser2> control;
  ASSERT_EQ(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(control.ReleaseAndGetAddressOf())),
            S_OK);
  EXPECT_NE(control.Get(), static_cast<IWebBrowser2*>(browser_.Get()));
  ASSERT_EQ(control->put_RegisterAsBrowser(VARIANT_FALSE), S_OK);
  ASSERT_EQ(control->put_Visible(VARIANT_FALSE), S_OK);
  VARIANT_BOOL visible = VARIANT_TRUE;
  control->get_Visible(&visible);
  EXPECT_EQ(visible, VARIANT_FALSE);
  auto* concrete = static_cast<BrowserObject*>(control.Get());
  EXPECT_EQ(concrete->Properties().registerAsBrowser, false);
  EXPECT_EQ(concrete->Properties().menuBar, std::nullopt);
  ComPtr<IDispatch> document;
  ASSERT_EQ(control->get_Document(document.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_FALSE(document);
}

}  // namespace
}  // namespace platform
