// Highlighting every match of a word on pages with 500, 2,000 and 8,000 of
// them (about 38 bytes of page per match, so the largest is some 300 KB),
// then taking the highlight off again: the Highlight command over the
// stand-in browser, as a toolbar button runs it. A page is sentences with
// one match each, in paragraphs of five (paragraphs=1) or all in one
// paragraph, one long text (paragraphs=0). The time per match ("per_match")
// stays the same from 500 to 8,000 when the cost is linear in the page.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/command/CommandContainerI.h"
#include "framework/controls/ButtonControlC.h"
#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserObject.h"
#include "platform/files/FileSystem.h"
#include "platform/xml/XmlDocument.h"

namespace {

// The Highlight command needs a tab that hands out nothing but its layout.
class BareTab : public framework::CommandContainerI {
 public:
  framework::CommandI* FindCommand(const std::string&) override { return nullptr; }
  framework::CommandC* CreateCommandInstance(const std::string&, const std::string&) override {
    return nullptr;
  }
  std::string LayoutLocation() override { return "C:\\Toolbar\\layout.xml"; }
  framework::StoredLayoutLocation GetStoredLayoutLocation() override { return {}; }
  std::string BandClassIdText() override { return {}; }
  std::string ElevationPolicyIdText() override { return {}; }
};

std::string MakePage(int matches, bool paragraphs) {
  static const char* const kSentences[] = {
      "The blue whale swims in cold seas. ",
      "A grey whale feeds near the coast. ",
      "Every whale here sings at night. ",
      "Watch the whale breach the waves. ",
  };
  std::string page = "<html><head><title>Whales</title></head><body><p>";
  for (int i = 0; i < matches; ++i) {
    page += kSentences[i % 4];
    if (paragraphs && i % 5 == 4) page += "</p>\n<p>";
  }
  return page + "</p></body></html>";
}

void BM_HighlightAndUnhighlight(benchmark::State& state) {
  const int matches = static_cast<int>(state.range(0));
  platform::ScopedFileSystemRoot root;
  platform::MakeDirectories("C:\\Pages");
  const std::string page = MakePage(matches, state.range(1) != 0);
  platform::WriteWholeFile("C:\\Pages\\whales.htm", page);
  auto element = platform::XmlDocument::Create();
  element->LoadBytes("<button pattern='whale'/>");
  BareTab tab;
  for (auto _ : state) {
    state.PauseTiming();
    auto browser = platform::CreateBrowserWindow();
    browser->Navigate(platform::Bstr(u"C:\\Pages\\whales.htm").Get(), nullptr, nullptr, nullptr,
                      nullptr);
    framework::HighlightCmdC highlight("Highlight");
    highlight.Initialise(&tab, platform::ComPtr<IWebBrowser2>(browser.Get()),
                         reinterpret_cast<framework::HostData>(0x1234));
    framework::ButtonControlC button(&highlight, "");
    button.SetElement(*element->DocumentElement());
    state.ResumeTiming();
    highlight.ToggleAndExecute(&button);
    highlight.ToggleAndExecute(&button);
    state.PauseTiming();
    browser->Quit();
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(page.size());
  state.counters["per_match"] = benchmark::Counter(
      static_cast<double>(matches),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HighlightAndUnhighlight)
    ->ArgNames({"matches", "paragraphs"})
    ->ArgsProduct({{500, 2000, 8000}, {1, 0}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
