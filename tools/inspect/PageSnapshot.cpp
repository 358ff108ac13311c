#include "tools/inspect/PageSnapshot.h"

#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/text/CodePage.h"

namespace tools {

namespace {

using platform::Bstr;
using platform::ComPtr;

void WideString(JsonWriter& json, std::u16string_view text) {
  json.Utf8String(platform::WideToUtf8(text));
}

void WriteNavigations(JsonWriter& json,
                      const std::vector<platform::NavigationRecord>& navigations) {
  json.BeginArray();
  for (const platform::NavigationRecord& navigation : navigations) {
    json.BeginObject();
    json.Key("url");
    WideString(json, navigation.url);
    json.Key("target");
    WideString(json, navigation.targetFrame);
    json.Key("flags");
    if (navigation.flags) {
      json.Integer(*navigation.flags);
    } else {
      json.Null();
    }
    json.EndObject();
  }
  json.EndArray();
}

void WriteEvents(JsonWriter& json, const std::vector<BrowserEvent>& events) {
  json.BeginArray();
  for (const BrowserEvent& event : events) {
    json.BeginObject();
    json.Key("id");
    json.Integer(event.id);
    json.Key("name");
    json.Utf8String(BrowserEventName(event.id));
    json.Key("url");
    if (event.url.empty()) {
      json.Null();
    } else {
      WideString(json, event.url);
    }
    json.Key("frame");
    json.Boolean(event.frame);
    json.EndObject();
  }
  json.EndArray();
}

void WriteScripts(JsonWriter& json, const std::vector<platform::html::ScriptRun>& scripts) {
  json.BeginArray();
  for (const platform::html::ScriptRun& script : scripts) {
    json.BeginObject();
    json.Key("document");
    WideString(json, script.documentUrl);
    json.Key("language");
    WideString(json, script.language);
    json.Key("code");
    WideString(json, script.code);
    json.EndObject();
  }
  json.EndArray();
}

void WriteDialogs(JsonWriter& json, const std::vector<platform::html::DialogShown>& dialogs) {
  json.BeginArray();
  for (const platform::html::DialogShown& dialog : dialogs) {
    json.BeginObject();
    json.Key("url");
    WideString(json, dialog.url);
    json.Key("options");
    WideString(json, dialog.options);
    json.EndObject();
  }
  json.EndArray();
}

void WriteSelection(JsonWriter& json, const std::optional<platform::html::RangeAction>& selection) {
  if (!selection) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("document");
  WideString(json, selection->documentUrl);
  json.Key("text");
  WideString(json, selection->text);
  json.Key("start");
  json.Integer(selection->start);
  json.Key("end");
  json.Integer(selection->end);
  json.EndObject();
}

void WriteHighlights(JsonWriter& json, const std::vector<HighlightSpan>& highlights) {
  json.BeginArray();
  for (const HighlightSpan& span : highlights) {
    json.BeginObject();
    json.Key("document");
    WideString(json, span.document);
    json.Key("id");
    WideString(json, span.id);
    json.Key("text");
    WideString(json, span.text);
    json.EndObject();
  }
  json.EndArray();
}

std::u16string BodyText(platform::html::HtmlDocument* document) {
  ComPtr<IHTMLElement> body;
  if (document == nullptr || FAILED(document->get_body(body.ReleaseAndGetAddressOf())) || !body)
    return {};
  Bstr text;
  body->get_innerText(text.Receive());
  return text.String();
}

void AddDocumentAndFrames(platform::html::HtmlDocument* document,
                          std::vector<platform::html::HtmlDocument*>& documents) {
  if (document == nullptr) return;
  documents.push_back(document);
  for (std::size_t index = 0; index < document->FrameCount(); ++index) {
    AddDocumentAndFrames(document->FrameDocument(index), documents);
  }
}

void AddHighlightSpans(platform::html::HtmlDocument& document, std::vector<HighlightSpan>& spans) {
  ComPtr<IHTMLElementCollection> elements;
  if (FAILED(
          document.getElementsByTagName(Bstr(u"span").Get(), elements.ReleaseAndGetAddressOf())) ||
      !elements) {
    return;
  }
  LONG length = 0;
  elements->get_length(&length);
  for (LONG index = 0; index < length; ++index) {
    const platform::Variant position(static_cast<LONG>(index));
    const platform::Variant noIndex;
    ComPtr<IDispatch> item;
    if (FAILED(elements->item(position, noIndex, item.ReleaseAndGetAddressOf())) || !item) continue;
    ComPtr<IHTMLElement> span;
    if (FAILED(item.As(&span))) continue;
    Bstr id;
    span->get_id(id.Receive());
    if (!id.View().starts_with(kHighlightIdPrefix)) continue;
    Bstr text;
    span->get_innerText(text.Receive());
    spans.push_back({document.Url(), id.String(), text.String()});
  }
}

}  // namespace

std::vector<platform::html::HtmlDocument*> PageDocuments(platform::BrowserObject& browser) {
  std::vector<platform::html::HtmlDocument*> documents;
  AddDocumentAndFrames(browser.Document(), documents);
  return documents;
}

std::vector<HighlightSpan> HighlightSpans(platform::BrowserObject& browser) {
  std::vector<HighlightSpan> spans;
  for (platform::html::HtmlDocument* document : PageDocuments(browser))
    AddHighlightSpans(*document, spans);
  return spans;
}

std::u16string PageText(platform::BrowserObject& browser) { return BodyText(browser.Document()); }

std::u16string DocumentText(platform::BrowserObject& browser, std::u16string_view url) {
  for (platform::html::HtmlDocument* document : PageDocuments(browser)) {
    if (document->Url() == url) return BodyText(document);
  }
  return {};
}

std::optional<platform::html::RangeAction> LastSelection(
    const platform::html::HtmlJournal& journal) {
  for (auto action = journal.rangeActions.rbegin(); action != journal.rangeActions.rend();
       ++action) {
    if (action->kind == platform::html::RangeAction::Kind::kSelect) return *action;
  }
  return std::nullopt;
}

PageSnapshot TakePageSnapshot(platform::BrowserObject& browser, const BrowserEventLog& events) {
  PageSnapshot snapshot;
  Bstr url;
  browser.get_LocationURL(url.Receive());
  snapshot.url = url.String();
  snapshot.navigations = browser.Navigations();
  snapshot.events = events.Events();
  platform::html::HtmlJournal journal = platform::html::RecordedHtml();
  snapshot.selection = LastSelection(journal);
  snapshot.scripts = std::move(journal.scripts);
  snapshot.dialogs = std::move(journal.dialogs);
  snapshot.highlights = HighlightSpans(browser);
  snapshot.text = PageText(browser);
  return snapshot;
}

void WritePageSnapshotJson(JsonWriter& json, const PageSnapshot& snapshot) {
  json.BeginObject();
  json.Key("url");
  WideString(json, snapshot.url);
  json.Key("navigations");
  WriteNavigations(json, snapshot.navigations);
  json.Key("events");
  WriteEvents(json, snapshot.events);
  json.Key("scripts");
  WriteScripts(json, snapshot.scripts);
  json.Key("dialogs");
  WriteDialogs(json, snapshot.dialogs);
  json.Key("selection");
  WriteSelection(json, snapshot.selection);
  json.Key("highlights");
  WriteHighlights(json, snapshot.highlights);
  json.Key("text");
  WideString(json, snapshot.text);
  json.EndObject();
}

}  // namespace tools
