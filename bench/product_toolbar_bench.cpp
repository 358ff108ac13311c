// The product's toolbar in new browser tabs: the time to build the shipped
// toolbar in a tab (the tab's context with every product command, the layout
// read and merged, the toolband with its image lists and windows, sited in
// the window's rebar) while the session already runs, and the memory each
// open tab holds ("bytes_per_tab", resident memory over 50 tabs).
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "commands/ProductCommands.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/com/ComInit.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WorkerPump.h"
#include "session/tab/HookC.h"
#include "tools/inspect/ProductClasses.h"

namespace {

constexpr auto kWorkerGuard = std::chrono::seconds(30);

// A tab of its own: the browser window and the product's toolbar in it.
struct ProductTab {
  ProductTab() : hook(platform::Make<session::HookC>(commands::ProductCommandClasses())) {
    frame.AddToolbar(static_cast<IDeskBand*>(hook.Get()), session::CLSID_IEHook);
  }
  platform::BrowserFrame frame;
  platform::ComPtr<session::HookC> hook;
};

// The process as the browser has it once the first tab is open: services
// nowhere (a loopback port where nothing listens), the session started.
class ProductProcess {
 public:
  ProductProcess() {
    ::setenv("VIMARU_ADS_ENDPOINT", "http://127.0.0.1:9/qxadsex.asmx", 1);
    ::setenv("VIMARU_UTILS_ENDPOINT", "http://127.0.0.1:9/utils/utils.asmx", 1);
    first_ = std::make_unique<ProductTab>();
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
  }
  ~ProductProcess() {
    first_.reset();
    platform::ui::RunUntilWorkersDone(kWorkerGuard);
  }

 private:
  platform::ScopedComInit com_;
  platform::ScopedFileSystemRoot files_;
  platform::ScopedRegistryReset registry_;
  tools::ProductClasses classes_;
  std::unique_ptr<ProductTab> first_;
};

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * 4096;
}

void BM_ShippedToolbarInANewTab(benchmark::State& state) {
  const ProductProcess process;
  for (auto _ : state) {
    auto tab = std::make_unique<ProductTab>();
    platform::ui::RunUntilIdle();
    state.PauseTiming();
    if (tab->hook->TabContext() == nullptr || tab->hook->TabContext()->ToolBand() == nullptr) {
      state.SkipWithError("the shipped layout gave no toolbar");
    }
    tab.reset();
    platform::ui::RunUntilIdle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ShippedToolbarInANewTab)->Unit(benchmark::kMillisecond);

void BM_MemoryPerOpenTab(benchmark::State& state) {
  const ProductProcess process;
  constexpr int kTabs = 50;
  long perTab = 0;
  for (auto _ : state) {
    const long before = ResidentBytes();
    std::vector<std::unique_ptr<ProductTab>> tabs;
    for (int i = 0; i < kTabs; ++i) tabs.push_back(std::make_unique<ProductTab>());
    platform::ui::RunUntilIdle();
    perTab = (ResidentBytes() - before) / kTabs;
    state.PauseTiming();
    tabs.clear();
    platform::ui::RunUntilIdle();
    state.ResumeTiming();
  }
  state.counters["bytes_per_tab"] = static_cast<double>(perTab);
}
BENCHMARK(BM_MemoryPerOpenTab)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
