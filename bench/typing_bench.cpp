// Typing 40,000 and 100,000 characters into an edit control, one WM_CHAR
// each as a person (or a paste through an input method) delivers them, with
// the thread's message loop handling them as it goes: the time per
// character ("per_char") stays the same when typing is linear in the text.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/ui/ComboBox.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace {

void BM_TypeIntoEdit(benchmark::State& state) {
  const auto characters = static_cast<std::size_t>(state.range(0));
  std::u16string text;
  for (std::size_t i = 0; i < characters; ++i) text.push_back(static_cast<char16_t>(u'a' + i % 26));
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
  state.counters["per_char"] = benchmark::Counter(
      static_cast<double>(characters),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TypeIntoEdit)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
