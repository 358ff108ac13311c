// Typing 40,000 and 100,000 characters into an edit control, and into the
// combo box of a toolbar, one WM_CHAR each as a person (or a paste through
// an input method) delivers them, with the thread's message loop handling
// them as it goes: the time per character ("per_char") stays the same when
// typing is linear in the text.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/context/StandaloneTabContextC.h"
#include "framework/controls/ComboBoxControlC.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace {

std::u16string Letters(std::size_t count) {
  std::u16string text;
  for (std::size_t i = 0; i < count; ++i) text.push_back(static_cast<char16_t>(u'a' + i % 26));
  return text;
}

void SetPerCharCounter(benchmark::State& state, std::size_t characters) {
  state.counters["per_char"] = benchmark::Counter(
      static_cast<double>(characters),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_TypeIntoEdit(benchmark::State& state) {
  const auto characters = static_cast<std::size_t>(state.range(0));
  const std::u16string text = Letters(characters);
  for (auto _ : state) {
    state.PauseTiming();
    platform::ui::UniqueWindow parent(CreateWindowExW(0, WC_STATICW, u"", WS_VISIBLE, 0, 0, 400, 30,
                                                      nullptr, nullptr, nullptr, nullptr));
    HWND edit =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, u"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0,
                        0, 200, 22, parent.Get(), nullptr, nullptr, nullptr);
    SetFocus(edit);
    platform::ui::RunUntilIdle();
    state.ResumeTiming();
    platform::ui::TypeCharacters(text);
    platform::ui::RunUntilIdle();
    state.PauseTiming();
    if (static_cast<std::size_t>(GetWindowTextLengthW(edit)) != characters) {
      state.SkipWithError("the edit control lost characters");
    }
    parent.Reset();
    state.ResumeTiming();
  }
  SetPerCharCounter(state, characters);
}
BENCHMARK(BM_TypeIntoEdit)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The search box's way: the toolbar's combo box keeps its command's text in
// step with what is typed.
void BM_TypeIntoToolbarComboBox(benchmark::State& state) {
  const auto characters = static_cast<std::size_t>(state.range(0));
  const std::u16string text = Letters(characters);
  const platform::ScopedFileSystemRoot files;
  const platform::ScopedRegistryReset registry;
  platform::MakeDirectories("C:\\Toolbar");
  platform::WriteWholeFile("C:\\Toolbar\\layout.xml",
                           "<toolband xmlns='http://www.vimaru.com/toolband'>"
                           "<combo-box command='ToolBand.Nop' id='Box' width='200'/></toolband>");
  for (auto _ : state) {
    state.PauseTiming();
    platform::ui::UniqueWindow parent(CreateWindowExW(0, WC_STATICW, u"", WS_VISIBLE, 0, 0, 800, 30,
                                                      nullptr, nullptr, nullptr, nullptr));
    framework::StandaloneTabContextC tab("C:\\Toolbar\\layout.xml");
    framework::ToolBandC* toolband = tab.Create(parent.Get());
    auto* box = toolband == nullptr ? nullptr
                                    : dynamic_cast<framework::ComboBoxControlC*>(
                                          toolband->Controls().front().get());
    if (box == nullptr) {
      state.SkipWithError("the layout gave no combo box");
      break;
    }
    SetFocus(box->EditField());
    platform::ui::RunUntilIdle();
    state.ResumeTiming();
    platform::ui::TypeCharacters(text);
    platform::ui::RunUntilIdle();
    state.PauseTiming();
    if (box->Command()->Text().size() != characters) {
      state.SkipWithError("the command lost characters");
    }
    state.ResumeTiming();
  }
  SetPerCharCounter(state, characters);
}
BENCHMARK(BM_TypeIntoToolbarComboBox)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
