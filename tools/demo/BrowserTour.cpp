#include "tools/demo/BrowserTour.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "framework/command/CommandI.h"
#include "framework/layout/LayoutWords.h"
#include "platform/automation/Bstr.h"
#include "platform/files/FileSystem.h"
#include "platform/html/HtmlJournal.h"
#include "platform/text/CodePage.h"
#include "tools/demo/ToolbarPicture.h"
#include "tools/inspect/BrowserWithToolbar.h"
#include "tools/inspect/ControlNames.h"
#include "tools/inspect/HostFiles.h"
#include "tools/inspect/PageSnapshot.h"
#include "tools/inspect/ToolbarUser.h"

namespace demo {

namespace {

constexpr std::string_view kSearchTextId = "Demo.SearchText";
constexpr std::u16string_view kTypedWord = u"whale";
constexpr std::size_t kSelectionContext = 24;

// The demo's own toolbar: a text box whose text the other buttons take
// through the placeholder of its id.
constexpr std::string_view kDemoLayout =
    R"(<?xml version="1.0" encoding="iso-8859-1"?>
<toolband xmlns="http://www.vimaru.com/toolband" company="Vimaru Group Inc" name="VimaruDemo">
  <combo-box command="ToolBand.Nop" id="Demo.SearchText" width="150" tooltip="Text to look for"
             list="whale##harbour##humpback"/>
  <button command="FindNext" caption="Find next" show-caption="yes" parameter="##Demo.SearchText##"/>
  <button command="Highlight" caption="Highlight" show-caption="yes" toggle-button="yes"
          parameter="##Demo.SearchText##"/>
  <button command="JavaScript" caption="Script" show-caption="yes"
          parameter="function orvane_run_in_all_frames() { document.title = 'Looking for ##Demo.SearchText##'; }"/>
  <button command="Dialog" caption="About" show-caption="yes" filename="demo-about.htm"
          dialog-width="420" dialog-height="200"/>
</toolband>
)";

constexpr std::string_view kAboutPage =
    "<html><body><h1>Vimaru demo</h1><p>Opened by the toolbar's About "
    "button.</p></body></html>";

std::string Utf8(std::u16string_view text) { return platform::WideToUtf8(text); }

std::string WriteDemoFiles() {
  const std::string directory = platform::GetModuleDirectory();
  const std::string layout = directory + "\\DemoToolBandLayout.xml";
  if (!platform::WriteWholeFile(layout, kDemoLayout) ||
      !platform::WriteWholeFile(directory + "\\demo-about.htm", kAboutPage)) {
    return {};
  }
  return layout;
}

void ShowToolbar(std::ostream& out, framework::ToolBandC& toolband) {
  out << "Demo toolbar:";
  for (const auto& control : toolband.Controls()) {
    const std::string caption = control->DisplayText();
    out << "\n  " << framework::ElementNameOfKind(static_cast<int>(control->Kind())) << ' '
        << tools::CommandName(*control) << (caption.empty() ? "" : " \"" + caption + "\"");
  }
  out << '\n';
}

void ShowNavigation(std::ostream& out, tools::BrowserWithToolbar& window) {
  platform::Bstr url;
  window.Browser().get_LocationURL(url.Receive());
  out << "Page: " << Utf8(url.View()) << '\n';
  for (const platform::NavigationRecord& navigation : window.Browser().Navigations()) {
    out << "  navigation asked for: " << Utf8(navigation.url)
        << (navigation.targetFrame.empty() ? "" : " into " + Utf8(navigation.targetFrame)) << '\n';
  }
  out << "  events the browser raised:\n";
  for (const tools::BrowserEvent& event : window.Events().Events()) {
    out << "    " << event.id << ' ' << tools::BrowserEventName(event.id);
    if (!event.url.empty()) out << ' ' << Utf8(event.url);
    if (event.frame) out << " (frame)";
    out << '\n';
  }
}

// The selection inside its stretch of the page's text, marked with [ ].
std::string InContext(const std::u16string& pageText,
                      const platform::html::RangeAction& selection) {
  const auto start = static_cast<std::size_t>(selection.start);
  const auto end = static_cast<std::size_t>(selection.end);
  if (selection.start < 0 || end > pageText.size() || start > end)
    return "\"" + Utf8(selection.text) + "\"";
  const std::size_t from = start > kSelectionContext ? start - kSelectionContext : 0;
  std::u16string shown = pageText.substr(from, start - from) + u"[" +
                         pageText.substr(start, end - start) + u"]" +
                         pageText.substr(end, kSelectionContext);
  for (char16_t& c : shown) {
    if (c == u'\n' || c == u'\r') c = u' ';
  }
  return "..." + Utf8(shown) + "...";
}

void ShowFind(std::ostream& out, tools::BrowserWithToolbar& window) {
  const auto selection = tools::LastSelection(platform::html::RecordedHtml());
  if (!selection) {
    out << "  nothing selected\n";
    return;
  }
  out << "  selected \"" << Utf8(selection->text) << "\" at " << selection->start << '-'
      << selection->end << " of " << Utf8(selection->documentUrl) << "\n    "
      << InContext(tools::DocumentText(window.Browser(), selection->documentUrl), *selection)
      << '\n';
}

std::u16string BodyHtml(platform::html::HtmlDocument& document) {
  platform::ComPtr<IHTMLElement> body;
  if (FAILED(document.get_body(body.ReleaseAndGetAddressOf())) || !body) return {};
  platform::Bstr html;
  body->get_innerHTML(html.Receive());
  return html.String();
}

// The paragraphs of every document of the page, so spans put into frames
// show as well as those of the top page.
void ShowHighlights(std::ostream& out, tools::BrowserWithToolbar& window,
                    const framework::CommandI& highlight) {
  const std::vector<tools::HighlightSpan> spans = tools::HighlightSpans(window.Browser());
  out << "  checked " << highlight.Checked() << ", " << spans.size() << " highlight spans\n";
  for (platform::html::HtmlDocument* document : tools::PageDocuments(window.Browser())) {
    out << "    in " << Utf8(document->Url()) << '\n';
    const std::string html = Utf8(BodyHtml(*document));
    std::size_t lineStart = 0;
    while (lineStart < html.size()) {
      const std::size_t lineEnd = std::min(html.find('\n', lineStart), html.size());
      const std::string_view line = std::string_view(html).substr(lineStart, lineEnd - lineStart);
      if (line.find("<span") != std::string_view::npos ||
          line.find("<p>") != std::string_view::npos) {
        out << "      " << line << '\n';
      }
      lineStart = lineEnd + 1;
    }
  }
}

// Continuation lines of a multi-line text, indented under its first.
std::string Indented(std::u16string_view text, std::string_view indent) {
  std::string lines;
  for (char c : Utf8(text)) {
    lines += c;
    if (c == '\n') lines += indent;
  }
  return lines;
}

void ShowScripts(std::ostream& out) {
  for (const platform::html::ScriptRun& script : platform::html::RecordedHtml().scripts) {
    out << "  ran " << Utf8(script.language) << " in " << Utf8(script.documentUrl) << ":\n      "
        << Indented(script.code, "      ") << '\n';
  }
}

void ShowDialogs(std::ostream& out) {
  for (const platform::html::DialogShown& dialog : platform::html::RecordedHtml().dialogs) {
    out << "  dialog " << Utf8(dialog.url) << "\n    options \"" << Utf8(dialog.options) << "\"\n";
  }
}

// Clicks the control of `name` and says so; false when it is missing.
bool ClickButton(std::ostream& out, tools::BrowserWithToolbar& window, std::string_view name) {
  framework::ControlI* control = tools::FindControlByCommandName(*window.ToolBand(), name);
  out << "Click " << name << '\n';
  if (control == nullptr || !tools::Click(*window.ToolBand(), *control)) {
    out << "  the button did not take the click\n";
    return false;
  }
  return true;
}

}  // namespace

bool PlayBrowserTour(std::ostream& out, const refservice::ReferenceService& service) {
  out << "\nBrowser walk-through\n";
  const tools::HostFileSystem files;
  platform::html::ClearHtmlJournal();
  const std::string layout = WriteDemoFiles();
  if (layout.empty()) {
    out << "The demo layout could not be written.\n";
    return false;
  }
  tools::BrowserWithToolbar window(layout);
  framework::ToolBandC* toolband = window.ToolBand();
  if (toolband == nullptr) {
    out << "The demo layout " << layout << " gave no toolbar.\n";
    return false;
  }
  ShowToolbar(out, *toolband);
  DrawOpenComboPicture(out, toolband->ToolbarWindow(), "vimaru-demo-toolbar");
  out << "The toolbar's rebar band " << (window.ToolbarHasOwnRow() ? "has" : "shares")
      << " a row\n";

  const std::string page = service.BaseUrl() + "/pages/tour.html";
  if (FAILED(window.Navigate(platform::Utf8ToWide(page)))) {
    out << "The browser could not open " << page << '\n';
    return false;
  }
  ShowNavigation(out, window);
  out << "After the first completed navigation the toolbar's band "
      << (window.ToolbarHasOwnRow() ? "starts a row of its own" : "still shares a row") << '\n';

  framework::ControlI* searchBox = tools::FindControlByCommandName(*toolband, kSearchTextId);
  if (searchBox == nullptr || !tools::TypeAndCommit(*searchBox, kTypedWord)) {
    out << "The search box took no text.\n";
    return false;
  }
  framework::CommandI* searchText = window.Context()->FindCommand(std::string(kSearchTextId));
  out << "Typed \"" << Utf8(kTypedWord)
      << "\" into the text box and pressed Enter: " << kSearchTextId << " holds \""
      << searchText->Text() << "\"\n";

  // The frame's matches come first, then the cursor moves on to the page around it.
  for (int pass = 0; pass < 3; ++pass) {
    if (!ClickButton(out, window, "FindNext")) return false;
    ShowFind(out, window);
  }
  framework::CommandI* highlight = window.Context()->FindCommand("Highlight");
  for (int pass = 0; pass < 2; ++pass) {
    if (!ClickButton(out, window, "Highlight")) return false;
    ShowHighlights(out, window, *highlight);
  }
  if (!ClickButton(out, window, "JavaScript")) return false;
  ShowScripts(out);
  if (!ClickButton(out, window, "Dialog")) return false;
  ShowDialogs(out);
  return true;
}

}  // namespace demo
